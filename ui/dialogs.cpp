// The real message box, input box, clipboard, event pump and focus, and the seam around them.
#include "ui/dialogs.h"

#include "ui/qt_text.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace vexlo {
namespace {

QMessageBox::Icon iconOf(int flags) {
    switch (flags & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Low four bits 1 (OK and Cancel) give two buttons; every other value gives OK alone.
bool hasCancel(int flags) {
    return (flags & 0x0F) == 1;
}

int realMessageBox(const AnsiText& text, int flags, const AnsiText& caption, QWidget* owner) {
    QMessageBox box(iconOf(flags), toDisplayText(caption), toDisplayText(text),
                    QMessageBox::NoButton, owner);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    if (hasCancel(flags)) {
        // Esc and the close box press the escape button, so they count as Cancel.
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    } else {
        box.setEscapeButton(ok);
    }
    box.exec();
    return box.clickedButton() == ok ? MB_RESULT_OK : MB_RESULT_CANCEL;
}

void realShowMessage(const AnsiText& text, int flags, QWidget* owner,
                     std::function<void()> closed) {
    auto* box = new QMessageBox(iconOf(flags), toDisplayText(defaultMessageCaption()),
                                toDisplayText(text), QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)](int) {
        if (closed) {
            closed();
        }
    });
    box->show();
}

bool realInputBox(const AnsiText& prompt, const AnsiText& title, const AnsiText& initial,
                  AnsiText& out, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setWindowTitle(toDisplayText(title));
    auto* label = new QLabel(toDisplayText(prompt), &dialog);
    auto* field = new QLineEdit(toQString(initial), &dialog);
    field->setObjectName(QStringLiteral("inputField"));
    auto* accept = new QPushButton(QString::fromUtf8("确认输入(&O)"), &dialog);
    accept->setObjectName(QStringLiteral("acceptButton"));
    accept->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8("取消(&C)"), &dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addLayout(buttons);
    field->selectAll();
    field->setFocus();

    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    out = toAnsi(field->text());
    return true;
}

bool realSetClipboardText(const AnsiText& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    const QString wanted = toQString(text);
    clipboard->setText(wanted);
    return clipboard->text() == wanted;
}

} // namespace

const AnsiText& defaultMessageCaption() {
    static const AnsiText caption = ansiFromUtf8("信息：");
    return caption;
}

UiHooks realUiHooks() {
    UiHooks hooks;
    hooks.messageBox = realMessageBox;
    hooks.showMessage = realShowMessage;
    hooks.inputBox = realInputBox;
    hooks.setClipboardText = realSetClipboardText;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.setFocus = [](QWidget* control) {
        if (control != nullptr) {
            control->setFocus(Qt::OtherFocusReason);
        }
    };
    return hooks;
}

UiHooks& uiHooks() {
    static UiHooks hooks = realUiHooks();
    return hooks;
}

ScopedUiHooks::ScopedUiHooks(UiHooks hooks) : saved_(std::move(uiHooks())) {
    // A hook the caller left empty keeps the real behaviour.
    const UiHooks real = realUiHooks();
    UiHooks& current = uiHooks();
    current.messageBox = hooks.messageBox ? hooks.messageBox : real.messageBox;
    current.showMessage = hooks.showMessage ? hooks.showMessage : real.showMessage;
    current.inputBox = hooks.inputBox ? hooks.inputBox : real.inputBox;
    current.setClipboardText =
        hooks.setClipboardText ? hooks.setClipboardText : real.setClipboardText;
    current.processEvents = hooks.processEvents ? hooks.processEvents : real.processEvents;
    current.setFocus = hooks.setFocus ? hooks.setFocus : real.setFocus;
}

ScopedUiHooks::~ScopedUiHooks() {
    uiHooks() = std::move(saved_);
}

int messageBox(const AnsiText& text, int flags, QWidget* owner) {
    return uiHooks().messageBox(text, flags, defaultMessageCaption(), owner);
}

void showMessage(const AnsiText& text, int flags, QWidget* owner, std::function<void()> closed) {
    uiHooks().showMessage(text, flags, owner, std::move(closed));
}

bool inputBox(const AnsiText& prompt, const AnsiText& title, const AnsiText& initial, AnsiText& out,
              QWidget* owner) {
    return uiHooks().inputBox(prompt, title, initial, out, owner);
}

bool setClipboardText(const AnsiText& text) {
    return uiHooks().setClipboardText(text);
}

void processEvents() {
    uiHooks().processEvents();
}

void setFocus(QWidget* control) {
    uiHooks().setFocus(control);
}

} // namespace vexlo
