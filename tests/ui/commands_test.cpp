// The pattern buttons, F6 and the code buttons through the window: confirmations and input
// answered through the seam, the clipboard copy of the old pattern, one undo step per rewrite,
// nothing changed on Cancel or on a rewrite that cannot be done.
#include "ui/control_ops.h"
#include "ui_fixture.h"
#include "workbench/commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

namespace {

enum class Asks { nothing, confirmation, input };

} // namespace

Q_DECLARE_METATYPE(Asks)

class CommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void patternButtons_data();
    void patternButtons();
    void generateCodeRewritesAndShows();
    void copyCodeCopiesUnlessEmpty();
};

void CommandsTest::patternButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<AnsiText>("before");
    QTest::addColumn<QString>("combo");                  // escapeCombo's edit text
    QTest::addColumn<std::optional<AnsiText>>("answer"); // input box answer; nullopt: Cancel
    QTest::addColumn<int>("confirm");                    // messageBox answer, 0 OK / 1 Cancel
    QTest::addColumn<AnsiText>("after");
    QTest::addColumn<Asks>("asks");
    QTest::addColumn<bool>("copiesOld"); // the clipboard gets the old pattern

    const std::optional<AnsiText> none;
    const auto row = [](const char* name, const char* button, AnsiText before, const char* combo,
                        std::optional<AnsiText> answer, int confirm, AnsiText after, Asks asks,
                        bool copies) {
        QTest::newRow(name) << QString::fromLatin1(button) << before << QString::fromLatin1(combo)
                            << answer << confirm << after << asks << copies;
    };
    row("line breaks", "newlineButton", "a\r\nb", "s", none, 0, "a\\s\\sb", Asks::nothing, false);
    row("blanks", "blankButton", "a b", "s", none, 0, "a\\sb", Asks::nothing, false);
    row("quotes", "quoteButton", "a\"b", "s", none, 0, gbk("a#引号b"), Asks::nothing, false);
    row("collapse s", "collapseButton", "a\\s\\s\\sb", "s", none, 0, "a\\s{3}b", Asks::nothing,
        false);
    row("collapse with typed d", "collapseButton", "\\d\\d", "d", none, 0, "\\d{2}", Asks::nothing,
        false);
    row("collapse that cannot compile", "collapseButton", "\\(\\({2}", "(", none, 0, "\\(\\({2}",
        Asks::nothing, false);
    row("smart optimise", "optimiseButton", "a b\r\nc", "s", none, 0, "a\\sb\\s\\sc", Asks::nothing,
        false);
    row("escape OK", "escapeButton", "a.b\\c(1)", "s", none, 0, "a\\.b\\\\c\\(1\\)",
        Asks::confirmation, true);
    row("escape Cancel", "escapeButton", "a.b", "s", none, 1, "a.b", Asks::confirmation, false);
    row("generalise OK", "tidyButton", gbk("价格99元ab"), "s", none, 0,
        gbk("价格\\d{2}元[a-z][a-z]"), Asks::confirmation, true);
    row("generalise Cancel", "tidyButton", "ab12", "s", none, 1, "ab12", Asks::confirmation, false);
    row("fold accepted", "dedupeButton", "xababab", "s", AnsiText("ab"), 0, "xab{3}", Asks::input,
        false);
    row("fold Cancel", "dedupeButton", "a{3}", "s", none, 0, "a{3}", Asks::input, false);
    row("fold empty answer", "dedupeButton", "a{3}", "s", AnsiText(), 0, "a{3}", Asks::input,
        false);
    row("fold that cannot compile", "dedupeButton", "((((((", "s", AnsiText("("), 0, "((((((",
        Asks::input, false);
}

void CommandsTest::patternButtons() {
    QFETCH(QString, button);
    QFETCH(AnsiText, before);
    QFETCH(QString, combo);
    QFETCH(std::optional<AnsiText>, answer);
    QFETCH(int, confirm);
    QFETCH(AnsiText, after);
    QFETCH(Asks, asks);
    QFETCH(bool, copiesOld);

    FakeDialogs dialogs;
    dialogs.messageAnswers.push_back(confirm);
    dialogs.inputAnswers.push_back(answer);
    ShownWindow w;
    w.c.escapeCombo->setEditText(combo);
    w.c.patternBox->setPlainText(toQString(before)); // no undo history before the command
    auto* control = w.c.mainWindow->findChild<QPushButton*>(button);
    QVERIFY(control != nullptr);
    QTest::mouseClick(control, Qt::LeftButton);

    QCOMPARE(readText(w.c.patternBox), after);
    QCOMPARE(dialogs.messages.size(), std::size_t(asks == Asks::confirmation ? 1 : 0));
    if (asks == Asks::confirmation) {
        QCOMPARE(dialogs.messages[0].flags, 33);
        QVERIFY(dialogs.messages[0].blocking);
        QCOMPARE(dialogs.captions[0], gbk("信息："));
        QCOMPARE(dialogs.messages[0].text, button == QLatin1String("escapeButton")
                                               ? ESCAPE_CONFIRMATION
                                               : GENERALISE_CONFIRMATION);
    }
    QCOMPARE(dialogs.inputs.size(), std::size_t(asks == Asks::input ? 1 : 0));
    if (asks == Asks::input) {
        QCOMPARE(dialogs.inputs[0].prompt, gbk("欲去重复的文本"));
        QCOMPARE(dialogs.inputs[0].title, gbk("去重复"));
        QCOMPARE(dialogs.inputs[0].initial, AnsiText("1"));
    }
    QCOMPARE(dialogs.clipboardWrites, copiesOld ? 1 : 0);
    if (copiesOld) {
        QCOMPARE(dialogs.clipboard, before);
    }
    // One undo step brings the old pattern back; an unchanged pattern has none.
    QCOMPARE(w.c.patternBox->document()->isUndoAvailable(), after != before);
    w.c.patternBox->undo();
    QCOMPARE(readText(w.c.patternBox), before);
}

void CommandsTest::generateCodeRewritesAndShows() {
    FakeDialogs dialogs;
    ShownWindow w;
    setTicked(w.c.quoteCheck, false);
    w.c.patternBox->setPlainText(QStringLiteral("a\"b\nc"));
    writeText(w.c.sourceBox, "one line");
    QTest::mouseClick(w.c.genCodeButton, Qt::LeftButton);

    QCOMPARE(w.c.tabs->currentIndex(), 2);
    QCOMPARE(readText(w.c.patternBox), gbk("a#引号b\\s\\sc"));
    QVERIFY(isTicked(w.c.quoteCheck));
    const AnsiText code = readText(w.c.codeBox);
    QVERIFY(code.find("\"" + gbk("a#引号b\\s\\sc") + "\"") != AnsiText::npos);
    QVERIFY(code.find(gbk("<被搜索的文本>")) != AnsiText::npos); // one-line source
    QTRY_VERIFY(w.c.codeBox->hasFocus());
    w.c.patternBox->undo();
    QCOMPARE(readText(w.c.patternBox), AnsiText("a\"b\r\nc"));

    // A source text with a line break takes the other template; an unchanged pattern is not
    // rewritten (no undo step).
    w.c.patternBox->setPlainText(QStringLiteral("x"));
    writeText(w.c.sourceBox, "two\r\nlines");
    QTest::mouseClick(w.c.genCodeButton, Qt::LeftButton);
    QVERIFY(!w.c.patternBox->document()->isUndoAvailable());
    QVERIFY(readText(w.c.codeBox).find(gbk("<被搜索的文本>")) == AnsiText::npos);
    QVERIFY(readText(w.c.codeBox).find("\"x\"") != AnsiText::npos);
    QVERIFY(dialogs.messages.empty());
}

void CommandsTest::copyCodeCopiesUnlessEmpty() {
    FakeDialogs dialogs;
    ShownWindow w;
    showPage(w.c.tabs, 2);
    QTest::mouseClick(w.c.copyCodeButton, Qt::LeftButton);
    QCOMPARE(dialogs.clipboardWrites, 1);
    QCOMPARE(dialogs.clipboard, gbk("当前未生成E代码"));

    writeText(w.c.patternBox, "\\d+");
    QTest::mouseClick(w.c.genCodeButton, Qt::LeftButton);
    QTest::mouseClick(w.c.copyCodeButton, Qt::LeftButton);
    QCOMPARE(dialogs.clipboard, readText(w.c.codeBox));
    QVERIFY(dialogs.clipboard.find("\r\n") != AnsiText::npos); // lines kept as CR LF

    writeText(w.c.codeBox, "");
    QTest::mouseClick(w.c.copyCodeButton, Qt::LeftButton);
    QCOMPARE(dialogs.clipboardWrites, 2);
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
