// The two E-language templates the code generator fills, in code page 936, each line ended
// by CR LF. The full-width equals and plus signs are \xA3\xBD and \xA3\xAB.
#include "codegen/codegen.h"

#include <initializer_list>
#include <string_view>

namespace vexlo {
namespace {

// ".版本 2"
constexpr std::string_view kVersion = ".\xB0\xE6\xB1\xBE 2";
// ".子程序 正则匹配, , , 此代码由Vexlo生成"
constexpr std::string_view kSubroutine = ".\xD7\xD3\xB3\xCC\xD0\xF2 \xD5\xFD\xD4\xF2\xC6\xA5\xC5"
                                         "\xE4, , , \xB4\xCB\xB4\xFA\xC2\xEB\xD3\xC9Vexlo\xC9\xFA"
                                         "\xB3\xC9";
// ".局部变量 被搜索的文本, 文本型"
constexpr std::string_view kSubjectLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF \xB1\xBB\xCB\xD1"
                                           "\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE, \xCE\xC4\xB1\xBE"
                                           "\xD0\xCD";
// ".局部变量 正则, 正则表达式类, , , jy模块的正则表达式类"
constexpr std::string_view kRegexLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF \xD5\xFD\xD4\xF2, "
                                         "\xD5\xFD\xD4\xF2\xB1\xED\xB4\xEF\xCA\xBD\xC0\xE0, , , "
                                         "jy\xC4\xA3\xBF\xE9\xB5\xC4\xD5\xFD\xD4\xF2\xB1\xED\xB4"
                                         "\xEF\xCA\xBD\xC0\xE0";
// ".局部变量 i, 整数型, , , 计次变量"
constexpr std::string_view kCounterLocal = ".\xBE\xD6\xB2\xBF\xB1\xE4\xC1\xBF i, \xD5\xFB\xCA"
                                           "\xFD\xD0\xCD, , , \xBC\xC6\xB4\xCE\xB1\xE4\xC1\xBF";
// "被搜索的文本 ＝ <被搜索的文本>"
constexpr std::string_view kSubjectSet = "\xB1\xBB\xCB\xD1\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE \xA3"
                                         "\xBD <\xB1\xBB\xCB\xD1\xCB\xF7\xB5\xC4\xCE\xC4\xB1\xBE>";
// "正则.创建 (正则表达式文本, 被搜索的文本, 是否区分大小写, 真, 真, 是否替换引号)"
constexpr std::string_view kCreate = "\xD5\xFD\xD4\xF2.\xB4\xB4\xBD\xA8 (\xD5\xFD\xD4\xF2\xB1\xED"
                                     "\xB4\xEF\xCA\xBD\xCE\xC4\xB1\xBE, \xB1\xBB\xCB\xD1\xCB\xF7"
                                     "\xB5\xC4\xCE\xC4\xB1\xBE, \xCA\xC7\xB7\xF1\xC7\xF8\xB7\xD6"
                                     "\xB4\xF3\xD0\xA1\xD0\xB4, \xD5\xE6, \xD5\xE6, \xCA\xC7\xB7"
                                     "\xF1\xCC\xE6\xBB\xBB\xD2\xFD\xBA\xC5)";
// ".计次循环首 (正则.取匹配数量 (), i)"
constexpr std::string_view kLoopHead = ".\xBC\xC6\xB4\xCE\xD1\xAD\xBB\xB7\xCA\xD7 (\xD5\xFD\xD4"
                                       "\xF2.\xC8\xA1\xC6\xA5\xC5\xE4\xCA\xFD\xC1\xBF (), i)";
// "    输出调试文本 (到文本 (i) ＋ 正则.取子匹配文本 (i, 1, ))"
constexpr std::string_view kLoopBody = "    \xCA\xE4\xB3\xF6\xB5\xF7\xCA\xD4\xCE\xC4\xB1\xBE (\xB5"
                                       "\xBD\xCE\xC4\xB1\xBE (i) \xA3\xAB \xD5\xFD\xD4\xF2.\xC8"
                                       "\xA1\xD7\xD3\xC6\xA5\xC5\xE4\xCE\xC4\xB1\xBE (i, 1, ))";
// ".计次循环尾 ()"
constexpr std::string_view kLoopTail = ".\xBC\xC6\xB4\xCE\xD1\xAD\xBB\xB7\xCE\xB2 ()";

AnsiText joinLines(std::initializer_list<std::string_view> lines) {
    AnsiText text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace

const AnsiText CODE_TEMPLATE_PLAIN =
    joinLines({kVersion, "", kSubroutine, kRegexLocal, kCounterLocal, "", kCreate, kLoopHead,
               kLoopBody, kLoopTail});

const AnsiText CODE_TEMPLATE_WITH_LOCAL =
    joinLines({kVersion, "", kSubroutine, kSubjectLocal, kRegexLocal, kCounterLocal, "",
               kSubjectSet, kCreate, kLoopHead, kLoopBody, kLoopTail});

} // namespace vexlo
