#include "text_viewer.h"

#include "app/dialogs/asker.h"
#include "app/panes/html_pane.h"
#include "lectionary/prayer_book.h"
#include "texts/data_files.h"
#include "platform/link_router.h"

#include <QAction>
#include <QComboBox>
#include <QUrl>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace indikt {

TextViewer::TextViewer(const QString& data_root, Asker& asker, QWidget* parent)
    : QWidget(parent), data_root_(data_root), asker_(asker)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tool_bar_ = new QToolBar(this);
    tool_bar_->setObjectName("ToolBarExp");
    tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const char* name, const char* text, const char* hint, void (TextViewer::*slot)()) {
        QAction* action = tool_bar_->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setToolTip(QString::fromUtf8(hint));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    back_ = add("ImageGoBack", "Назад", "Назад (ALT+Стрелка влево)", &TextViewer::goBack);
    forward_ = add("ImageGoForward", "Вперед", "Вперед (ALT+Стрелка вправо)", &TextViewer::goForward);
    add("ImageRefreshExplorer", "Обновить", "Обновить страницу (F5)", &TextViewer::reload);
    add("ImagePrintExplorer", "Печать", "Печать (Ctrl+P)", &TextViewer::print);
    add("ImageCopyExplorer", "Копировать", "Копировать (Ctrl+C)", &TextViewer::copy);
    add("ImageFindExplorer", "Поиск", "Поиск (Ctrl+F3)", &TextViewer::showFind);
    add("ImageViewSource", "Исходный текст", "Исходный текст", &TextViewer::showSource);
    tool_bar_->addSeparator();
    zoom_ = new QSpinBox(tool_bar_);
    zoom_->setObjectName("UpDownZoom");
    zoom_->setRange(50, 200);
    zoom_->setSingleStep(10);
    zoom_->setToolTip("Масштаб страницы");
    zoom_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    zoom_->setValue(100);
    zoom_label_ = new QLabel("100 %", tool_bar_);
    zoom_label_->setObjectName("LabelZoom");
    tool_bar_->addWidget(zoom_);
    tool_bar_->addWidget(zoom_label_);
    tool_bar_->addSeparator();
    quick_jump_ = new QComboBox(tool_bar_);
    quick_jump_->setObjectName("ComboBoxBeibl");
    quick_jump_->setToolTip("Быстрый переход");
    for (const QuickJumpPage& page : kQuickJumpPages)
        quick_jump_->addItem(QString::fromUtf8(page.caption));
    quick_jump_->setCurrentIndex(-1);
    quick_jump_->setPlaceholderText("Перейти к…");
    tool_bar_->addWidget(quick_jump_);
    connect(quick_jump_, &QComboBox::activated, this, &TextViewer::ComboBoxBeiblChange);
    layout->addWidget(tool_bar_);

    find_ = new QLineEdit(this);
    find_->setObjectName("EditFindExplorer");
    find_->setPlaceholderText("Найти на странице (Enter — дальше, Esc — закрыть)");
    find_->hide();
    layout->addWidget(find_);
    connect(find_, &QLineEdit::returnPressed, this, [this] { findNext(find_->text()); });
    find_->installEventFilter(this);

    browser_ = new HtmlPane(data_root, this);
    browser_->setObjectName("WebBrowser");
    browser_->installEventFilter(this);
    layout->addWidget(browser_, 1);

    connect(zoom_, &QSpinBox::valueChanged, this, [this](int value) {
        browser_->setZoom(value);
        zoom_label_->setText(QString::number(browser_->zoom()) + " %");
        emit zoomChanged(browser_->zoom());
    });
    // Local links are followed inside the viewer; web addresses go out.
    connect(browser_, &HtmlPane::linkClicked, this, [this](const QUrl& address) {
        const LinkRoute route = RouteLink(LinkPane::Viewer, address, data_root_, 0);
        if (route.target == LinkTarget::Viewer)
            open(route.address);
        else if (route.target == LinkTarget::Browser)
            emit linkClicked(route.address);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, this, &TextViewer::updateButtons);
    connect(browser_, &QTextBrowser::forwardAvailable, this, &TextViewer::updateButtons);
    updateButtons();
}

void TextViewer::ComboBoxBeiblChange(int index)
{
    if (index < 0 || index >= static_cast<int>(kQuickJumpPages.size()))
        return;
    const QString path = PagePath(DataPath(data_root_, QString::fromUtf8(kQuickJumpPages[static_cast<size_t>(index)].page)));
    if (!path.isEmpty())
        open(QUrl::fromLocalFile(path));
    quick_jump_->setCurrentIndex(index);
}

bool TextViewer::runOwnKey(const QKeyEvent& key, bool run)
{
    const QKeyCombination pressed = key.keyCombination();
    const auto is = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return pressed.key() == k && (pressed.keyboardModifiers() & ~Qt::KeypadModifier) == modifiers;
    };
    void (TextViewer::*slot)() = nullptr;
    if (is(Qt::Key_F5))
        slot = &TextViewer::reload;
    else if (is(Qt::Key_P, Qt::ControlModifier))
        slot = &TextViewer::print;
    else if (is(Qt::Key_F3, Qt::ControlModifier))
        slot = &TextViewer::showFind;
    else if (is(Qt::Key_Left, Qt::AltModifier))
        slot = &TextViewer::goBack;
    else if (is(Qt::Key_Right, Qt::AltModifier))
        slot = &TextViewer::goForward;
    else if (is(Qt::Key_Escape) && find_->isVisible())
        slot = &TextViewer::closeFind;
    if (slot && run)
        (this->*slot)();
    return slot != nullptr;
}

bool TextViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && runOwnKey(*static_cast<QKeyEvent*>(event), false)) {
        event->accept();  // a key press here, not a shortcut of the window
        return true;
    }
    if (event->type() == QEvent::KeyPress && runOwnKey(*static_cast<QKeyEvent*>(event), true))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TextViewer::closeFind()
{
    find_->hide();
    browser_->setFocus();
}

bool TextViewer::open(const QUrl& address)
{
    if (!browser_->showFile(address.toLocalFile()))
        return false;
    if (address.hasFragment())
        browser_->scrollToAnchor(address.fragment());
    updateButtons();
    return true;
}

void TextViewer::showPage(const QString& html)
{
    browser_->showPage(html);
    updateButtons();
}

void TextViewer::setZoom(int percent) { zoom_->setValue(percent < 50 || percent > 200 ? 100 : percent); }
int TextViewer::zoom() const { return browser_->zoom(); }

void TextViewer::goBack() { browser_->backward(); }
void TextViewer::goForward() { browser_->forward(); }

void TextViewer::reload()
{
    browser_->reload();
    browser_->setZoom(zoom_->value());
}

// With a printer the print dialog; without one the page goes into a PDF file.
void TextViewer::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString file = asker_.saveFileName(this, "Сохранить страницу в PDF", QString(), "PDF (*.pdf)", "pdf");
        if (file.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    browser_->print(&printer);
}

void TextViewer::copy() { browser_->copy(); }

void TextViewer::showFind()
{
    find_->show();
    find_->setFocus();
    find_->selectAll();
}

// The next occurrence after the cursor, wrapping round to the top once.
bool TextViewer::findNext(const QString& text)
{
    if (text.isEmpty())
        return false;
    if (browser_->find(text))
        return true;
    browser_->moveCursor(QTextCursor::Start);
    return browser_->find(text);
}

void TextViewer::showSource()
{
    QDialog dialog(this);
    dialog.setWindowTitle("Исходный текст");
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(browser_->pageSource(), &dialog);
    text->setReadOnly(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(700, 500);
    dialog.exec();
}

void TextViewer::updateButtons()
{
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

}  // namespace indikt
