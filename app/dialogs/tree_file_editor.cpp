#include "tree_file_editor.h"

#include "app/dialogs/asker.h"
#include "texts/cp1251.h"
#include "texts/data_files.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace indikt {

TreeFileText DecodeTreeFile(const QByteArray& bytes)
{
    TreeFileText result;
    // A file that uses LF alone keeps it; anything else is written with CR LF.
    result.crlf = bytes.contains("\r\n") || !bytes.contains('\n');
    QString text = DecodeFileText(bytes);
    text.replace("\r\n", "\n");
    text.replace(u'\r', u'\n');
    result.text = std::move(text);
    return result;
}

std::optional<QByteArray> EncodeTreeFile(const QString& text, bool crlf, QString* problem)
{
    QString joined = text;
    if (crlf)
        joined.replace("\n", "\r\n");
    const qsizetype outside = FirstCharOutsideCp1251(joined);
    if (outside >= 0) {
        const char32_t code = QStringView(joined).mid(outside).toUcs4().value(0);
        const int line = static_cast<int>(QStringView(joined).left(outside).count(u'\n')) + 1;
        if (problem)
            *problem = "Знак «" + QString::fromUcs4(&code, 1) + "» (U+" +
                       QString::number(code, 16).toUpper().rightJustified(4, u'0') + ") в строке " +
                       QString::number(line) +
                       " нельзя сохранить: его нет в кодировке Windows-1251. Замените его и сохраните снова.";
        return std::nullopt;
    }
    return EncodeCp1251(joined);
}

TreeFileEditor::TreeFileEditor(const QString& path, std::function<Asker&()> asker, QWidget* parent)
    : QWidget(parent, Qt::Window), path_(path), asker_(std::move(asker))
{
    setObjectName("TreeFileEditor");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QToolBar(this);
    auto* save_action = tools->addAction("Сохранить");
    save_action->setObjectName("ActionSaveTreeFile");
    save_action->setShortcut(QKeySequence::Save);
    save_action->setShortcutContext(Qt::WindowShortcut);
    save_action->setToolTip("Сохранить файл (Ctrl+S)");
    connect(save_action, &QAction::triggered, this, [this] { save(); });
    auto* close_action = tools->addAction("Закрыть");
    close_action->setObjectName("ActionCloseTreeFile");
    close_action->setShortcut(QKeySequence("Esc"));
    close_action->setShortcutContext(Qt::WindowShortcut);
    connect(close_action, &QAction::triggered, this, &QWidget::close);
    layout->addWidget(tools);
    editor_ = new QPlainTextEdit(this);
    editor_->setObjectName("TreeFileText");
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(editor_);
    state_ = new QLabel(this);
    state_->setObjectName("TreeFileState");
    state_->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(state_);
    connect(editor_->document(), &QTextDocument::modificationChanged, this, [this] { updateCaption(); });
    resize(760, 560);
    load();
}

void TreeFileEditor::load()
{
    const QFileInfo info(path_);
    std::optional<QByteArray> bytes;
    if (!info.exists())
        bytes = QByteArray();  // a new page
    else
        bytes = ReadFileBytes(path_, kMaxDataFileBytes);
    if (!bytes) {
        editor_->setReadOnly(true);
        state_->setText("Файл не прочитан: он недоступен или больше " +
                        QString::number(kMaxDataFileBytes / (1024 * 1024)) + " МБ.");
        updateCaption();
        return;
    }
    stamp_ = StampOfBytes(path_, *bytes);
    const TreeFileText text = DecodeTreeFile(*bytes);
    crlf_ = text.crlf;
    editor_->setPlainText(text.text);
    editor_->document()->setModified(false);
    loaded_ = true;
    state_->setText(QString("Windows-1251, ") + (crlf_ ? "CR LF" : "LF"));
    updateCaption();
}

bool TreeFileEditor::isModified() const { return editor_->document()->isModified(); }

void TreeFileEditor::updateCaption()
{
    setWindowTitle((isModified() ? "*" : "") + QFileInfo(path_).fileName() + " — Индикт");
}

bool TreeFileEditor::save()
{
    if (!loaded_)
        return false;
    QString problem;
    // The raw text: toPlainText would turn no-break spaces into blanks.
    QString text = editor_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    const std::optional<QByteArray> bytes = EncodeTreeFile(text, crlf_, &problem);
    if (!bytes) {
        asker_().tell(this, "Индикт", problem);
        return false;
    }
    if (StampOfFile(path_) != stamp_ &&
        asker_().ask(this, "Индикт",
                     "Файл «" + QFileInfo(path_).fileName() +
                         "» изменён другой программой после того, как был открыт здесь. Записать его поверх?",
                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const WriteResult written = WriteFileAtomically(path_, *bytes);
    if (!written.ok()) {
        asker_().tell(this, "Индикт", "Файл не сохранён: " + written.error);
        return false;
    }
    stamp_ = StampOfBytes(path_, *bytes);
    editor_->document()->setModified(false);
    state_->setText("Сохранено: Windows-1251, " + QString(crlf_ ? "CR LF" : "LF"));
    emit saved(path_);
    return true;
}

void TreeFileEditor::closeEvent(QCloseEvent* event)
{
    if (isModified()) {
        const QMessageBox::StandardButton answer =
            asker_().ask(this, "Индикт", "Сохранить изменения в файле «" + QFileInfo(path_).fileName() + "»?",
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace indikt
