// The icons of the day in the main window: the strip and the large view,
// the folder commands, the icons on the desktop (by command and once a day
// when "IcoDesktop" is on), and the picture of the collapsed calendar.

#include "main_window.h"

#include "app/window/day_widgets.h"
#include "app/window/icon_strip.h"

#include "texts/data_files.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace indikt {

namespace {

constexpr const char* kFolderCommands[] = {"OpenIcoSpas",       "OpenIcoVos",        "OpenIcoVelPerehDP",
                                           "OpenIcoVelPerehPP", "OpenIcoVelNePereh", "OpenIcoPerehDP",
                                           "OpenIcoPerehPP",    "OpenIcoNepereh",    "OpenIcoInoe"};

const QString kTitle = QStringLiteral("Индикт");

// A picture for the window is read only when its size is sensible: the
// large icons are a few hundred pixels, photographs a few thousand.
constexpr int kMaxPictureSide = 10000;

QPixmap ReadPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return {};
    return QPixmap::fromImage(reader.read());
}

// Runs `action` on a double click of the widget it watches.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

QString StoredDateText(Date date)
{
    const auto fields = Fields(date);
    return QString::asprintf("%02d.%02d.%04d", fields.day, fields.month, fields.year);
}

}  // namespace

void TForm1::buildIconPanel()
{
    auto* layout = new QVBoxLayout(panel_ico_);
    layout->setContentsMargins(2, 2, 2, 2);
    panel_ico_->setFixedWidth(std::clamp(settings_.number(kSectionVid, "WidthImagePIco"), 150, 600));
    icon_strip_ = new IconStrip(panel_ico_);
    layout->addWidget(icon_strip_);
    icon_strip_->onClick = [this](int slot) { selectIcon(slot); };
    icon_strip_->onMenu = [this](int slot, const QPoint& global) {
        selectIcon(slot);
        showIconMenu(global);
    };

    panel_ico_see_ = new QWidget(panel_ico_);
    panel_ico_see_->setObjectName("PanelIcoSee");
    auto* see = new QVBoxLayout(panel_ico_see_);
    see->setContentsMargins(0, 0, 0, 0);
    image_large_ = new PictureLabel(panel_ico_see_);
    image_large_->setObjectName("ImageLarge");
    image_large_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(image_large_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showIconMenu(image_large_->mapToGlobal(at)); });
    image_large_->installEventFilter(new DoubleClickFilter(image_large_, [this] {
        if (!large_picture_.isEmpty())
            openOutside(QUrl::fromLocalFile(large_picture_));
    }));
    see->addWidget(image_large_, 1);
    label_ico_large_ = new QLabel(panel_ico_see_);
    label_ico_large_->setObjectName("LabelIcoLarge");
    label_ico_large_->setAlignment(Qt::AlignCenter);
    label_ico_large_->setWordWrap(true);
    see->addWidget(label_ico_large_);
    layout->addWidget(panel_ico_see_, 1);

    image_ico_indikt_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(image_ico_indikt_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showMainPictureMenu(image_ico_indikt_->mapToGlobal(at)); });
}

void TForm1::buildIconMenu(QMenu* menu)
{
    const CommandSet& c = *commands_;
    icon_menu_ = menu->addMenu("Иконы дня");
    icon_menu_->setObjectName("MenuIcons");
    icon_menu_->addAction(c["ActionPrIco"]);
    icon_menu_->addAction(c["ActionSlIco"]);
    icon_menu_->addSeparator();
    for (const char* name : kFolderCommands)
        icon_menu_->addAction(c[name]);
    icon_menu_->addSeparator();
    QMenu* desktop = icon_menu_->addMenu("Поместить на Рабочий стол");
    desktop->setObjectName("MenuIconsDesktop");
    for (const char* name : {"ActionPervIcoActiveDesktop", "ActionDveIcoActiveDesktop", "ActionTriIcoActiveDesktop",
                             "ActionZchetriIcoActiveDesktop", "ActionIcoActiveDesktop"})
        desktop->addAction(c[name]);
    desktop->addSeparator();
    desktop->addAction(c["ActionIcoDesktop"]);
    icon_menu_->addSeparator();
    icon_menu_->addAction(c["ActionAddImage"]);
}

void TForm1::connectIconCommands()
{
    CommandSet& c = *commands_;
    c.connect("ActionPanelIco", [this] { ActionPanelIcoExecute(); });
    c.connect("ActionPrIco", [this] { ActionPrIcoExecute(); });
    c.connect("ActionSlIco", [this] { ActionSlIcoExecute(); });
    for (const char* name : kFolderCommands) {
        const QString command = QString::fromLatin1(name);
        c.connect(name, [this, command] {
            openOutside(QUrl::fromLocalFile(DataPath(context_.data_root, IconCommandFolder(command))));
        });
        c[name]->setVisible(false);
    }
    c.connect("ActionPervIcoActiveDesktop", [this] {
        if (day_icons_.filled.empty())
            asker_->tell(this, kTitle, "Нет иконы этого дня.");
        else
            ChangeActiveWallpaper(DataPath(context_.data_root, LargeIconPath(day_icons_.filled.front().path)));
    });
    c.connect("ActionDveIcoActiveDesktop", [this] { PicImageJpeg(2); });
    c.connect("ActionTriIcoActiveDesktop", [this] { PicImageJpeg(3); });
    c.connect("ActionZchetriIcoActiveDesktop", [this] { PicImageJpeg(4); });
    c.connect("ActionIcoActiveDesktop", [this] {
        QString picture = large_picture_;
        if (picture.isEmpty() && selected_icon_ >= 1 && selected_icon_ <= static_cast<int>(day_icons_.filled.size()))
            picture = DataPath(context_.data_root,
                               LargeIconPath(day_icons_.filled[static_cast<size_t>(selected_icon_ - 1)].path));
        if (picture.isEmpty())
            asker_->tell(this, kTitle, "Нет иконы этого дня.");
        else
            ChangeActiveWallpaper(picture);
    });
    c.connect("ActionIcoDesktop", [this] { setIcoDesktop(commands_->action("ActionIcoDesktop")->isChecked()); });
    c["ActionIcoDesktop"]->setChecked(settings_.flag(kSectionVid, "IcoDesktop"));
    c.connect("ActionAddImage", [this] { ActionAddImageExecute(); });
}

void TForm1::showIconMenu(const QPoint& global)
{
    if (icon_menu_)
        icon_menu_->popup(global);
}

void TForm1::ActionPanelIcoExecute()
{
    const bool shown = commands_->action("ActionPanelIco")->isChecked();
    panel_ico_->setVisible(shown);
    if (shown)
        OpenIcon(liturgicalDate());
}

// The hub's icon step: the only place where the rotating icons move on.
void TForm1::OpenIcon(Date date)
{
    const IconCounters counters{settings_.number(kSectionVid, "NumIcoVoskresenie"),
                                settings_.number(kSectionVid, "NumIcoSpas")};
    day_icons_ = indikt::OpenIcon(context_.data_root, date, MakeDayFacts(date), counters);
    settings_.setNumber(kSectionVid, "NumIcoVoskresenie", day_icons_.counters.sunday);
    settings_.setNumber(kSectionVid, "NumIcoSpas", day_icons_.counters.saviour);
    for (const char* name : kFolderCommands)
        commands_->action(name)->setVisible(day_icons_.commands.contains(QString::fromLatin1(name)));
    icon_strip_->setIcons(day_icons_.filled, context_.data_root);
    selected_icon_ = 1;
    ImageLargeSee();
}

void TForm1::ImageLargeSee()
{
    large_picture_.clear();
    image_large_->setPicture(QPixmap());
    image_large_->setToolTip({});
    label_ico_large_->clear();
    const int filled = static_cast<int>(day_icons_.filled.size());
    for (int slot = 1; slot <= kIconSlots; ++slot)
        icon_strip_->image(slot)->setStyleSheet(slot == selected_icon_ && slot <= filled
                                                    ? "border: 2px solid palette(highlight);"
                                                    : "border: 2px solid transparent;");
    if (selected_icon_ < 1 || selected_icon_ > filled)
        return;
    const IconSlot& slot = day_icons_.filled[static_cast<size_t>(selected_icon_ - 1)];
    const QString large = DataPath(context_.data_root, LargeIconPath(slot.path));
    const QPixmap picture = ReadPicture(large);
    if (picture.isNull())
        return;
    large_picture_ = large;
    image_large_->setPicture(picture);
    image_large_->setToolTip(slot.hint);
    label_ico_large_->setText(slot.hint);
}

void TForm1::selectIcon(int slot)
{
    if (slot < 1 || slot > static_cast<int>(day_icons_.filled.size()))
        return;
    selected_icon_ = slot;
    ImageLargeSee();
}

void TForm1::ActionPrIcoExecute()
{
    if (panel_ico_->isVisibleTo(this) && selected_icon_ > 1)
        selectIcon(selected_icon_ - 1);
}

void TForm1::ActionSlIcoExecute()
{
    if (panel_ico_->isVisibleTo(this) && selected_icon_ < static_cast<int>(day_icons_.filled.size()))
        selectIcon(selected_icon_ + 1);
}

WallpaperService& TForm1::wallpaper()
{
    if (!wallpaper_) {
        wallpaper_runner_ = std::make_unique<ProcessRunner>();
        const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
        wallpaper_ = std::make_unique<WallpaperService>(DesktopOf(desktop), desktop, *wallpaper_runner_,
                                                        WallpaperCacheFolder(), WallpaperStateFolder());
    }
    return *wallpaper_;
}

void TForm1::ChangeActiveWallpaper(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        asker_->tell(this, kTitle, "Файл «" + QFileInfo(path).fileName() + "» не найден.");
        return;
    }
    const QString error = wallpaper().setPicture(path);
    if (!error.isEmpty()) {
        asker_->tell(this, kTitle, error);
        return;
    }
    statusBar()->showMessage("Икона помещена на Рабочий стол.", 5000);
    skipNextRefresh();
}

// The large versions of the first `count` icons, side by side. Nothing
// drawn, nothing set: the desktop is never pointed at a broken picture.
QString TForm1::composeAndSetWallpaper(const std::vector<IconSlot>& icons, int count)
{
    QStringList pictures;
    const size_t used = std::min(icons.size(), static_cast<size_t>(std::max(count, 0)));
    for (size_t i = 0; i < used; ++i) {
        const QString large = DataPath(context_.data_root, LargeIconPath(icons[i].path));
        if (QFileInfo(large).isFile())
            pictures.append(large);
    }
    const ComposedPicture composed = ComposeDesktopPicture(pictures);
    if (composed.drawn == 0)
        return "Нет больших изображений икон этого дня: Рабочий стол не изменён.";
    // The picture stays in the tree too, where the tree may be written.
    const QString in_tree = DataPath(context_.data_root, kDesktopPicturePath);
    if (QFileInfo(QFileInfo(in_tree).absolutePath()).isWritable()) {
        if (const WriteResult written = WriteFileAtomically(in_tree, composed.jpeg); !written.ok())
            statusBar()->showMessage(written.error, 10000);
    }
    return wallpaper().setPictureBytes(composed.jpeg);
}

void TForm1::PicImageJpeg(int count)
{
    const QString error = composeAndSetWallpaper(day_icons_.filled, count);
    if (!error.isEmpty()) {
        asker_->tell(this, kTitle, error);
        return;
    }
    statusBar()->showMessage("Иконы помещены на Рабочий стол.", 5000);
    skipNextRefresh();
}

// Once a day (the next day's icons from 15:00 when "LiturgIcoDesktop" is on),
// on the days "DenIcoDesktop" chooses, the icons of the day become the
// wallpaper; on the other days the user's own wallpaper comes back. The
// rotating icons do not move on for this.
void TForm1::IcoDeskExe()
{
    if (!settings_.flag(kSectionVid, "IcoDesktop") || batch_walk_)
        return;
    Date day = today();
    if (settings_.flag(kSectionVid, "LiturgIcoDesktop") && context_.clock().time().hour() >= 15)
        day = day + 1;
    const QString stamp = StoredDateText(day);
    if (settings_.text(kSectionWindows, "AutoSagrIDeskDate") == stamp)
        return;
    settings_.setText(kSectionWindows, "AutoSagrIDeskDate", stamp);
    const IconCounters counters{settings_.number(kSectionVid, "NumIcoVoskresenie"),
                                settings_.number(kSectionVid, "NumIcoSpas")};
    const DayIcons icons = indikt::OpenIcon(context_.data_root, day, MakeDayFacts(day), counters);
    const QString error =
        DesktopIconDay(settings_.number(kSectionVid, "DenIcoDesktop"), day, icons.great_feast)
            ? composeAndSetWallpaper(icons.filled, std::clamp(settings_.number(kSectionVid, "IcoDesktopNum"), 1, kIconSlots))
            : wallpaper().restorePrevious();
    if (!error.isEmpty())
        statusBar()->showMessage("Иконы дня на Рабочем столе: " + error);
}

void TForm1::setIcoDesktop(bool on)
{
    settings_.setFlag(kSectionVid, "IcoDesktop", on);
    commands_->action("ActionIcoDesktop")->setChecked(on);
    if (on) {
        settings_.setText(kSectionWindows, "AutoSagrIDeskDate", {});
        IcoDeskExe();
        return;
    }
    if (const QString error = wallpaper().restorePrevious(); !error.isEmpty())
        asker_->tell(this, kTitle, error);
}

void TForm1::OpenImageIndikt()
{
    const QPixmap picture = IsMainPictureFile(main_picture_) ? ReadPicture(main_picture_) : QPixmap();
    image_ico_indikt_->setPicture(picture);
    image_ico_indikt_->setToolTip(picture.isNull() ? QString() : ReadSingleLine(PictureCaptionPath(main_picture_)));
    if (!picture.isNull())
        picture_folder_ = QFileInfo(main_picture_).absolutePath();
    image_ico_indikt_->setVisible(calendarCollapsed() && !picture.isNull());
}

void TForm1::ActionAddImageExecute()
{
    if (!calendarCollapsed())
        ButtonSvernClick();
    QString folder = picture_folder_;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = DataPath(context_.data_root, u"Иконы");
    if (!QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen = asker_->openFileName(
        this, "Загрузить изображение", folder,
        "All (*.gif *.jpg *.jpeg *.bmp *.ico);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;"
        "Bitmaps (*.bmp);;CompuServe GIF Image (*.gif);;Icons (*.ico)");
    if (chosen.isEmpty())
        return;
    if (!IsMainPictureFile(chosen) || ReadPicture(chosen).isNull()) {
        asker_->tell(this, kTitle,
                     "Файл «" + QFileInfo(chosen).fileName() + "» не открыт: нужно изображение GIF, JPEG, BMP или ICO.");
        return;
    }
    main_picture_ = QFileInfo(chosen).absoluteFilePath();
    OpenImageIndikt();
}

void TForm1::showMainPictureMenu(const QPoint& global)
{
    QMenu menu(this);
    const bool has_picture = !image_ico_indikt_->picture().isNull();
    QAction* clear = menu.addAction("Очистить");
    QAction* copy = menu.addAction("Копировать");
    QAction* desktop = menu.addAction("Поместить на Рабочий стол");
    QAction* open = menu.addAction("Открыть изображение");
    for (QAction* action : {clear, copy, desktop, open})
        action->setEnabled(has_picture);
    QAction* chosen = menu.exec(global);
    if (chosen == clear) {
        main_picture_.clear();
        OpenImageIndikt();
    } else if (chosen == copy) {
        QApplication::clipboard()->setPixmap(image_ico_indikt_->picture());
    } else if (chosen == desktop) {
        ChangeActiveWallpaper(main_picture_);
    } else if (chosen == open && IsMainPictureFile(main_picture_) && QFileInfo(main_picture_).isFile()) {
        // The user's own picture may lie outside the tree: it opens as the picture it is.
        const QUrl file = QUrl::fromLocalFile(main_picture_);
        if (!(external_opener_ ? external_opener_(file) : QDesktopServices::openUrl(file)))
            statusBar()->showMessage("Не удалось открыть " + main_picture_);
    }
}

}  // namespace indikt
