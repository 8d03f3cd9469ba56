// Tests of generateCode: the whole generated text compared byte for byte with the expected
// code page 936 text, the pattern rewrites, and the placeholder words inside a pattern.
#include "codegen/codegen.h"

#include "text/codepage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vexlo {
namespace {

// The fixed lines of the generated subroutine, code page 936, without their CR LF.
const std::string kVersion = ".\xB0\xE6\xB1\xBE 2";
const std::string kSubroutine = ".\xD7\xD3\xB3\xCC\xD0\xF2 \xD5\xFD\xD4\xF2\xC6\xA5\xC5\xE4, , , "
                                "\xB4\xCB\xB4\xFA\xC2\xEB\xD3\xC9Vexlo\xC9\xFA\xB3\xC9";
const std::string kSubjectLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF \xB1\xBB\xCB\xD1\xCB\xF7\xB5"
                                  "\xC4\xCE\xC4\xB1\xBE, \xCE\xC4\xB1\xBE\xD0\xCD";
const std::string kRegexLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF \xD5\xFD\xD4\xF2, \xD5\xFD\xD4"
                                "\xF2\xB1\xED\xB4\xEF\xCA\xBD\xC0\xE0, , , jy\xC4\xA3\xBF\xE9\xB5"
                                "\xC4\xD5\xFD\xD4\xF2\xB1\xED\xB4\xEF\xCA\xBD\xC0\xE0";
const std::string kCounterLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF i, \xD5\xFB\xCA\xFD\xD0\xCD, "
                                  ", , \xBC\xC6\xB4\xCE\xB1\xE4\xC1\xBF";
const std::string kSubjectSet = "\xB1\xBB\xCB\xD1\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE \xA3\xBD <\xB1"
                                "\xBB\xCB\xD1\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE>";
const std::string kLoop = ".\xBC\xC6\xB4\xCE\xD1\xAD\xBB\xB7\xCA\xD7 (\xD5\xFD\xD4\xF2.\xC8\xA1"
                          "\xC6\xA5\xC5\xE4\xCA\xFD\xC1\xBF (), i)\r\n"
                          "    \xCA\xE4\xB3\xF6\xB5\xF7\xCA\xD4\xCE\xC4\xB1\xBE (\xB5\xBD\xCE\xC4"
                          "\xB1\xBE (i) \xA3\xAB \xD5\xFD\xD4\xF2.\xC8\xA1\xD7\xD3\xC6\xA5\xC5"
                          "\xE4\xCE\xC4\xB1\xBE (i, 1, ))\r\n"
                          ".\xBC\xC6\xB4\xCE\xD1\xAD\xBB\xB7\xCE\xB2 ()";
const std::string kTrue = "\xD5\xE6";
const std::string kFalse = "\xBC\xD9";
const std::string kQuoteToken = "#\xD2\xFD\xBA\xC5";
const std::string kQuoteWord = "\xCA\xC7\xB7\xF1\xCC\xE6\xBB\xBB\xD2\xFD\xBA\xC5";
const std::string kCaseWord = "\xCA\xC7\xB7\xF1\xC7\xF8\xB7\xD6\xB4\xF3\xD0\xA1\xD0\xB4";
const std::string kPatternWord = "\xD5\xFD\xD4\xF2\xB1\xED\xB4\xEF\xCA\xBD\xCE\xC4\xB1\xBE";

// "正则.创建 (<pattern>, 被搜索的文本, <case>, 真, 真, <quote>)"
std::string createLine(const std::string& quotedPattern, const std::string& caseFlag,
                       const std::string& quoteFlag) {
    return "\xD5\xFD\xD4\xF2.\xB4\xB4\xBD\xA8 (" + quotedPattern +
           ", \xB1\xBB\xCB\xD1\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE, " + caseFlag + ", " + kTrue + ", " +
           kTrue + ", " + quoteFlag + ")";
}

std::string plainCode(const std::string& createCall) {
    return kVersion + "\r\n\r\n" + kSubroutine + "\r\n" + kRegexLocal + "\r\n" + kCounterLocal +
           "\r\n\r\n" + createCall + "\r\n" + kLoop + "\r\n";
}

std::string withLocalCode(const std::string& createCall) {
    return kVersion + "\r\n\r\n" + kSubroutine + "\r\n" + kSubjectLocal + "\r\n" + kRegexLocal +
           "\r\n" + kCounterLocal + "\r\n\r\n" + kSubjectSet + "\r\n" + createCall + "\r\n" +
           kLoop + "\r\n";
}

const std::string kMultiLine = "x\r\ny";
const std::string kOneLine = "x y";

struct CodegenCase {
    const char* name;
    std::string pattern;
    std::string source;
    bool caseSensitive;
    std::string expectedCode;
    std::string expectedPattern;
    bool expectedTick;
};

void PrintTo(const CodegenCase& c, std::ostream* os) {
    *os << c.name;
}

// Each case is named after its name field.
constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

class GenerateCodeTest : public ::testing::TestWithParam<CodegenCase> {};

TEST_P(GenerateCodeTest, GivesTheExpectedCodeAndPattern) {
    const CodegenCase& c = GetParam();
    const GeneratedCode generated = generateCode(c.pattern, c.source, c.caseSensitive);
    EXPECT_EQ(generated.code, c.expectedCode);
    EXPECT_EQ(generated.pattern, c.expectedPattern);
    EXPECT_EQ(generated.patternChanged, c.expectedPattern != c.pattern);
    EXPECT_EQ(generated.tickQuoteCheck, c.expectedTick);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, GenerateCodeTest,
    ::testing::Values(CodegenCase{"PlainForMultiLineSource", "\\d+", kMultiLine, false,
                                  plainCode(createLine("\"\\d+\"", kFalse, kFalse)), "\\d+", false},
                      // The case flag is filled in both templates.
                      CodegenCase{"WithLocalForOneLineSource", "\\d+", kOneLine, false,
                                  withLocalCode(createLine("\"\\d+\"", kFalse, kFalse)), "\\d+",
                                  false},
                      CodegenCase{"CaseSensitivePlain", "\\d+", kMultiLine, true,
                                  plainCode(createLine("\"\\d+\"", kTrue, kFalse)), "\\d+", false},
                      CodegenCase{"CaseSensitiveWithLocal", "a", kOneLine, true,
                                  withLocalCode(createLine("\"a\"", kTrue, kFalse)), "a", false},
                      CodegenCase{"EmptySourceIsOneLine", "a", "", false,
                                  withLocalCode(createLine("\"a\"", kFalse, kFalse)), "a", false},
                      CodegenCase{"LoneLineFeedIsNoLineBreak", "a", "x\ny\rz", false,
                                  withLocalCode(createLine("\"a\"", kFalse, kFalse)), "a", false},
                      CodegenCase{"EmptyPattern", "", kMultiLine, false,
                                  plainCode(createLine("\"\"", kFalse, kFalse)), "", false}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(
    PatternRewrites, GenerateCodeTest,
    ::testing::Values(
        CodegenCase{"Quote", "a\"b", kMultiLine, false,
                    plainCode(createLine("\"a" + kQuoteToken + "b\"", kFalse, kTrue)),
                    "a" + kQuoteToken + "b", true},
        // A second run finds the token, no quote: the flag is false and nothing is ticked.
        CodegenCase{"QuoteTokenAlready", "a" + kQuoteToken + "b", kMultiLine, false,
                    plainCode(createLine("\"a" + kQuoteToken + "b\"", kFalse, kFalse)),
                    "a" + kQuoteToken + "b", false},
        CodegenCase{"LineBreak", "a\r\nb", kMultiLine, false,
                    plainCode(createLine("\"a\\s\\sb\"", kFalse, kFalse)), "a\\s\\sb", false},
        CodegenCase{"LineBreakAndQuotes", "\"\r\n\"", kOneLine, true,
                    withLocalCode(createLine("\"" + kQuoteToken + "\\s\\s" + kQuoteToken + "\"",
                                             kTrue, kTrue)),
                    kQuoteToken + "\\s\\s" + kQuoteToken, true}),
    kCaseName);

// Placeholder words inside the pattern arrive in the call as the user wrote them.
INSTANTIATE_TEST_SUITE_P(
    PlaceholderWords, GenerateCodeTest,
    ::testing::Values(CodegenCase{"QuoteWord", kQuoteWord, kMultiLine, false,
                                  plainCode(createLine("\"" + kQuoteWord + "\"", kFalse, kFalse)),
                                  kQuoteWord, false},
                      CodegenCase{"AllThreeWords", kCaseWord + kPatternWord + "\"" + kQuoteWord,
                                  kOneLine, true,
                                  withLocalCode(createLine("\"" + kCaseWord + kPatternWord +
                                                               kQuoteToken + kQuoteWord + "\"",
                                                           kTrue, kTrue)),
                                  kCaseWord + kPatternWord + kQuoteToken + kQuoteWord, true}),
    kCaseName);

// Read through the code page conversion, the text is what the user sees in the code box;
// this does not lean on the byte escapes above.
TEST(GenerateCodeText, ReadsAsTheEditorShowsIt) {
    const GeneratedCode generated = generateCode("\\d+", "", false);
    EXPECT_EQ(ansiToUtf16(generated.code),
              u".版本 2\r\n"
              u"\r\n"
              u".子程序 正则匹配, , , 此代码由Vexlo生成\r\n"
              u".局部变量 被搜索的文本, 文本型\r\n"
              u".局部变量 正则, 正则表达式类, , , jy模块的正则表达式类\r\n"
              u".局部变量 i, 整数型, , , 计次变量\r\n"
              u"\r\n"
              u"被搜索的文本 ＝ <被搜索的文本>\r\n"
              u"正则.创建 (\"\\d+\", 被搜索的文本, 假, 真, 真, 假)\r\n"
              u".计次循环首 (正则.取匹配数量 (), i)\r\n"
              u"    输出调试文本 (到文本 (i) ＋ 正则.取子匹配文本 (i, 1, ))\r\n"
              u".计次循环尾 ()\r\n");
}

TEST(GenerateCodeText, TemplatesHoldThePlaceholders) {
    EXPECT_EQ(ansiToUtf16(CODE_TEMPLATE_PLAIN),
              u".版本 2\r\n"
              u"\r\n"
              u".子程序 正则匹配, , , 此代码由Vexlo生成\r\n"
              u".局部变量 正则, 正则表达式类, , , jy模块的正则表达式类\r\n"
              u".局部变量 i, 整数型, , , 计次变量\r\n"
              u"\r\n"
              u"正则.创建 (正则表达式文本, 被搜索的文本, 是否区分大小写, 真, 真, 是否替换引号)\r\n"
              u".计次循环首 (正则.取匹配数量 (), i)\r\n"
              u"    输出调试文本 (到文本 (i) ＋ 正则.取子匹配文本 (i, 1, ))\r\n"
              u".计次循环尾 ()\r\n");
    EXPECT_EQ(CODE_TEMPLATE_WITH_LOCAL,
              withLocalCode(createLine(kPatternWord, kCaseWord, kQuoteWord)));
}

} // namespace
} // namespace vexlo
