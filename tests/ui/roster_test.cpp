// The window as it opens: every control of the roster by name, at its place, with its caption
// and initial state; the pages of tabs; the editor box settings; the result list's columns.
#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

class RosterTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsSitAtTheirPlaces_data();
    void controlsSitAtTheirPlaces();
    void windowIsFixedCentredAndTitled();
    void initialStates();
    void pagesShowOnlyTheirControls();
    void editorBoxSettings();
    void resultListIsAReport();
};

void RosterTest::controlsSitAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption"); // text of a label, check box or button

    const auto row = [](const char* name, const char* parent, QRect place, const char* caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << place
                            << QString::fromUtf8(caption);
    };
    row("patternLabel", "mainWindow", {8, 8, 56, 24}, "正则规则");
    row("caseCheck", "mainWindow", {480, 8, 88, 24}, "区分大小写");
    row("quoteCheck", "mainWindow", {576, 8, 88, 24}, "替换引号");
    row("patternBox", "mainWindow", {8, 32, 664, 72}, "");
    row("matchButton", "mainWindow", {8, 120, 64, 32}, "匹配(F5)");
    row("escapeButton", "mainWindow", {72, 120, 80, 32}, "正则字符+\\");
    row("newlineButton", "mainWindow", {152, 120, 72, 32}, "处理换行符");
    row("blankButton", "mainWindow", {224, 120, 72, 32}, "处理空文本");
    row("quoteButton", "mainWindow", {296, 120, 64, 32}, "处理引号");
    row("collapseButton", "mainWindow", {360, 120, 80, 32}, "处理多余的\\");
    row("escapeCombo", "mainWindow", {440, 128, 32, 20}, "");
    row("dedupeButton", "mainWindow", {472, 120, 56, 32}, "文本去重");
    row("tidyButton", "mainWindow", {528, 120, 64, 32}, "错误整理");
    row("optimiseButton", "mainWindow", {592, 120, 80, 32}, "智能优化");
    row("searchBox", "mainWindow", {16, 160, 408, 24}, "");
    row("findPrevButton", "mainWindow", {424, 160, 72, 24}, "往前找");
    row("findNextButton", "mainWindow", {496, 160, 72, 24}, "往后找");
    row("genCodeButton", "mainWindow", {592, 160, 80, 24}, "生成E代码");
    row("tabs", "mainWindow", {8, 192, 664, 240}, "");
    row("sourceBox", "tabs", {8, 24, 648, 208}, "");
    row("resultList", "tabs", {8, 32, 648, 200}, "");
    row("copyCodeButton", "tabs", {8, 24, 48, 24}, "复制");
    row("codeBox", "tabs", {8, 48, 648, 168}, "");
}

void RosterTest::controlsSitAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);

    ShownWindow shown;
    QWidget* window = shown.c.mainWindow;
    const auto found = window->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.front();
    QWidget* container =
        parent == QLatin1String("mainWindow") ? window : window->findChild<QWidget*>(parent);
    QVERIFY(container != nullptr);
    // Places are relative to the window's client area, or to the tab control for its pages.
    QCOMPARE(QRect(control->mapTo(container, QPoint(0, 0)), control->size()), place);

    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QCOMPARE(button->text(), caption);
    }
    const bool tabStop =
        qobject_cast<QLabel*>(control) == nullptr && qobject_cast<QTabWidget*>(control) == nullptr;
    QCOMPARE(control->focusPolicy() != Qt::NoFocus, tabStop);
}

void RosterTest::windowIsFixedCentredAndTitled() {
    ShownWindow shown;
    QWidget* window = shown.c.mainWindow;
    QCOMPARE(window->objectName(), QStringLiteral("mainWindow"));
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Vexlo匹配工具"));
    QCOMPARE(window->frameGeometry().size(), QSize(WINDOW_OUTER_WIDTH, WINDOW_OUTER_HEIGHT));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 1);
}

void RosterTest::initialStates() {
    ShownWindow shown;
    const Controls& c = shown.c;
    QVERIFY(isTicked(c.caseCheck));
    QVERIFY(isTicked(c.quoteCheck));
    QVERIFY(c.escapeCombo->isEditable());
    QCOMPARE(c.escapeCombo->count(), 2);
    QCOMPARE(c.escapeCombo->itemText(0), QStringLiteral("s"));
    QCOMPARE(c.escapeCombo->itemText(1), QStringLiteral("d"));
    QCOMPARE(c.escapeCombo->currentIndex(), 0);
    QCOMPARE(readText(c.escapeCombo), AnsiText("s"));
    QCOMPARE(readText(c.codeBox), gbk("当前未生成E代码"));
    for (QPlainTextEdit* box : {c.patternBox, c.sourceBox, c.searchBox}) {
        QCOMPARE(readText(box), AnsiText());
    }
    QCOMPARE(c.patternBox->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(c.sourceBox->palette().color(QPalette::Text), QColor(144, 0, 255));
    QCOMPARE(c.searchBox->palette().color(QPalette::Text), QColor(128, 128, 0));
    QCOMPARE(c.codeBox->palette().color(QPalette::Text),
             c.mainWindow->palette().color(QPalette::Text));
}

void RosterTest::pagesShowOnlyTheirControls() {
    ShownWindow shown;
    const Controls& c = shown.c;
    QCOMPARE(c.tabs->count(), 3);
    QCOMPARE(c.tabs->tabText(0), QString::fromUtf8("原文本"));
    QCOMPARE(c.tabs->tabText(1), QString::fromUtf8("匹配结果"));
    QCOMPARE(c.tabs->tabText(2), QString::fromUtf8("生成的e代码"));
    QCOMPARE(c.tabs->currentIndex(), 0);

    const QList<QWidget*> pageControls[] = {
        {c.sourceBox}, {c.resultList}, {c.copyCodeButton, c.codeBox}};
    for (int page : {0, 1, 2, 0}) {
        showPage(c.tabs, page);
        QCOMPARE(c.tabs->currentIndex(), page);
        for (int other = 0; other < 3; ++other) {
            for (QWidget* control : pageControls[other]) {
                QCOMPARE(control->isVisible(), other == page);
            }
        }
    }
    showPage(c.tabs, 3); // no such page
    QCOMPARE(c.tabs->currentIndex(), 0);
}

void RosterTest::editorBoxSettings() {
    ShownWindow shown;
    const Controls& c = shown.c;
    for (QPlainTextEdit* box : {c.patternBox, c.sourceBox, c.searchBox, c.codeBox}) {
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(box->frameShadow(), QFrame::Sunken);
        QVERIFY(box->font().families().contains(QString::fromUtf8("宋体")));
        QCOMPARE(box->font().pointSize(), 9);
    }
    // One line fits searchBox without a scroll bar; a second one brings it.
    showPage(c.tabs, 0);
    QVERIFY(!c.searchBox->verticalScrollBar()->isVisible());
    writeText(c.searchBox, "a");
    QVERIFY(!c.searchBox->verticalScrollBar()->isVisible());
    writeText(c.searchBox, "a\r\nb");
    QTRY_VERIFY(c.searchBox->verticalScrollBar()->isVisible());
    // Enter inserts a line break in searchBox, as in every editor box.
    writeText(c.searchBox, "");
    c.searchBox->setFocus();
    QTest::keyClicks(c.searchBox, "x");
    QTest::keyClick(c.searchBox, Qt::Key_Return);
    QTest::keyClicks(c.searchBox, "y");
    QCOMPARE(readText(c.searchBox), AnsiText("x\r\ny"));
}

void RosterTest::resultListIsAReport() {
    ShownWindow shown;
    QTableView* list = shown.c.resultList;
    QCOMPARE(list->model(), shown.c.table);
    QCOMPARE(list->model()->columnCount(), 2);
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("序号"));
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(),
             QString::fromUtf8("匹配文本 "));
    QCOMPARE(list->horizontalHeader()->sectionSize(0), 50);
    QCOMPARE(list->horizontalHeader()->sectionSize(1), 200);
    QVERIFY(!list->showGrid());
    QVERIFY(!list->verticalHeader()->isVisible());
    QVERIFY(!list->isSortingEnabled());
    QVERIFY(list->horizontalHeader()->sectionsMovable());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
}

QTEST_MAIN(RosterTest)
#include "roster_test.moc"
