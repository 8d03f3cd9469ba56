// Builds mainWindow and every control of the roster at its place, with its caption, initial
// content and settings; the controls of the three pages sit on the tab control itself, placed
// relative to it, and are shown and hidden with their page.
#include "ui/controls.h"

#include "match/match_table.h"
#include "ui/control_ops.h"
#include "ui/result_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>

namespace vexlo {
namespace {

constexpr const char* PAGE_PROPERTY = "vexloPage";

const QColor PATTERN_COLOUR(255, 0, 0);
const QColor SOURCE_COLOUR(144, 0, 255);
const QColor SEARCH_COLOUR(128, 128, 0);

// "宋体" at 9 points, with CJK faces found on other systems when it is missing.
QFont windowFont() {
    QFont font;
    font.setFamilies({QString::fromUtf8("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSize(9);
    return font;
}

template <typename Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QPushButton* placeButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                         int width, int height) {
    auto* button = place<QPushButton>(parent, name, left, top, width, height);
    button->setText(QString::fromUtf8(caption));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* placeCheck(QWidget* parent, const char* name, const char* caption, int left) {
    auto* check = place<QCheckBox>(parent, name, left, 8, 88, 24);
    check->setText(QString::fromUtf8(caption));
    setTicked(check, true);
    return check;
}

// The settings all four editor boxes share: plain, editable, multi-line text that wraps at the
// box's width, a vertical scroll bar when needed, no length limit, a thin sunken border, and
// a selection that is hidden while the box has no focus.
QPlainTextEdit* placeEditorBox(QWidget* parent, const char* name, int left, int top, int width,
                               int height) {
    auto* box = place<QPlainTextEdit>(parent, name, left, top, width, height);
    box->setReadOnly(false);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // No length limit: maximumBlockCount stays 0 (setting it would also switch undo off).
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setFont(windowFont());
    box->setTabChangesFocus(false);
    box->document()->setDocumentMargin(1); // so one line fits the 24-pixel searchBox
    QPalette palette = box->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Inactive, QPalette::Text));
    box->setPalette(palette);
    return box;
}

void putOnPage(QWidget* control, int page) {
    control->setProperty(PAGE_PROPERTY, page);
    control->raise(); // above the tab control's own page area
}

// Shows the controls of page and hides those of the other pages, as the tab control's pages do.
void showPageControls(QTabWidget* tabs, int page) {
    for (QObject* child : tabs->children()) {
        const QVariant owner = child->property(PAGE_PROPERTY);
        if (owner.isValid() && child->isWidgetType()) {
            static_cast<QWidget*>(child)->setVisible(owner.toInt() == page);
        }
    }
}

void buildTabs(Controls& c) {
    c.tabs = place<QTabWidget>(c.mainWindow, "tabs", 8, 192, 664, 240);
    c.tabs->setFocusPolicy(Qt::NoFocus);
    c.tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    for (const char* title : {"原文本", "匹配结果", "生成的e代码"}) {
        c.tabs->addTab(new QWidget, QString::fromUtf8(title));
    }

    c.sourceBox = placeEditorBox(c.tabs, "sourceBox", 8, 24, 648, 208);
    putOnPage(c.sourceBox, 0);

    c.resultList = place<QTableView>(c.tabs, "resultList", 8, 32, 648, 200);
    c.resultList->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.resultList->setLineWidth(1);
    QPalette palette = c.resultList->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    c.resultList->setPalette(palette);
    setUpResultList(c.resultList, c.table);
    putOnPage(c.resultList, 1);

    c.copyCodeButton = placeButton(c.tabs, "copyCodeButton", "复制", 8, 24, 48, 24);
    putOnPage(c.copyCodeButton, 2);
    c.codeBox = placeEditorBox(c.tabs, "codeBox", 8, 48, 648, 168);
    c.codeBox->setPlainText(QString::fromUtf8("当前未生成E代码"));
    putOnPage(c.codeBox, 2);

    QTabWidget* tabs = c.tabs;
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                     [tabs](int page) { showPageControls(tabs, page); });
    tabs->setCurrentIndex(0);
    showPageControls(tabs, 0);
}

} // namespace

Controls buildRoster() {
    Controls c;
    c.mainWindow =
        new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint);
    c.mainWindow->setObjectName(QStringLiteral("mainWindow"));
    c.mainWindow->setWindowTitle(QString::fromUtf8("Vexlo匹配工具"));
    c.mainWindow->setFont(windowFont());
    c.table = new MatchTable(c.mainWindow);

    c.patternLabel = place<QLabel>(c.mainWindow, "patternLabel", 8, 8, 56, 24);
    c.patternLabel->setText(QString::fromUtf8("正则规则"));
    c.patternLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.caseCheck = placeCheck(c.mainWindow, "caseCheck", "区分大小写", 480);
    c.quoteCheck = placeCheck(c.mainWindow, "quoteCheck", "替换引号", 576);
    c.patternBox = placeEditorBox(c.mainWindow, "patternBox", 8, 32, 664, 72);

    QWidget* w = c.mainWindow;
    c.matchButton = placeButton(w, "matchButton", "匹配(F5)", 8, 120, 64, 32);
    c.escapeButton = placeButton(w, "escapeButton", "正则字符+\\", 72, 120, 80, 32);
    c.newlineButton = placeButton(w, "newlineButton", "处理换行符", 152, 120, 72, 32);
    c.blankButton = placeButton(w, "blankButton", "处理空文本", 224, 120, 72, 32);
    c.quoteButton = placeButton(w, "quoteButton", "处理引号", 296, 120, 64, 32);
    c.collapseButton = placeButton(w, "collapseButton", "处理多余的\\", 360, 120, 80, 32);
    c.escapeCombo = place<QComboBox>(w, "escapeCombo", 440, 128, 32, 20);
    c.escapeCombo->setEditable(true);
    c.escapeCombo->setInsertPolicy(QComboBox::NoInsert);
    c.escapeCombo->addItems({QStringLiteral("s"), QStringLiteral("d")});
    c.escapeCombo->setCurrentIndex(0);
    c.dedupeButton = placeButton(w, "dedupeButton", "文本去重", 472, 120, 56, 32);
    c.tidyButton = placeButton(w, "tidyButton", "错误整理", 528, 120, 64, 32);
    c.optimiseButton = placeButton(w, "optimiseButton", "智能优化", 592, 120, 80, 32);

    c.searchBox = placeEditorBox(w, "searchBox", 16, 160, 408, 24);
    c.findPrevButton = placeButton(w, "findPrevButton", "往前找", 424, 160, 72, 24);
    c.findNextButton = placeButton(w, "findNextButton", "往后找", 496, 160, 72, 24);
    c.genCodeButton = placeButton(w, "genCodeButton", "生成E代码", 592, 160, 80, 24);

    buildTabs(c);

    // The window-created steps: the text colours of three editor boxes.
    setTextColour(c.patternBox, PATTERN_COLOUR);
    setTextColour(c.sourceBox, SOURCE_COLOUR);
    setTextColour(c.searchBox, SEARCH_COLOUR);

    fitOuterSize(c.mainWindow);
    return c;
}

void fitOuterSize(QWidget* mainWindow) {
    const QSize frame = mainWindow->frameGeometry().size() - mainWindow->geometry().size();
    const QSize client(WINDOW_OUTER_WIDTH - frame.width(), WINDOW_OUTER_HEIGHT - frame.height());
    if (mainWindow->minimumSize() != client || mainWindow->maximumSize() != client) {
        mainWindow->setFixedSize(client);
    }
}

void centreOnScreen(QWidget* mainWindow) {
    const QScreen* screen = mainWindow->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    mainWindow->move(area.center() - QPoint(WINDOW_OUTER_WIDTH / 2, WINDOW_OUTER_HEIGHT / 2));
}

} // namespace vexlo
