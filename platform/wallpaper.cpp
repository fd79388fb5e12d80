#include "wallpaper.h"

#include "texts/data_files.h"
#include "texts/ini_file.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace indikt {

namespace {

// A picture larger than this on either side is not drawn: icons are a few
// hundred pixels, and a huge file would cost a huge canvas.
constexpr int kMaxPictureSide = 8000;

const QString kGnomeSchema = QStringLiteral("org.gnome.desktop.background");
const QString kCinnamonSchema = QStringLiteral("org.cinnamon.desktop.background");
const QString kMateSchema = QStringLiteral("org.mate.background");
const QString kXfceChannel = QStringLiteral("xfce4-desktop");
const QString kCachePrefix = QStringLiteral("wallpaper-");

// The keys each gsettings desktop sets: the picture, and how it is placed.
struct GsettingsKeys {
    QString schema;
    QStringList picture_keys;  // set to the picture
    bool picture_as_uri;       // a file:// URI, else a plain path
};

std::optional<GsettingsKeys> GsettingsOf(DesktopKind kind)
{
    switch (kind) {
    case DesktopKind::Gnome: return GsettingsKeys{kGnomeSchema, {"picture-uri", "picture-uri-dark"}, true};
    case DesktopKind::Cinnamon: return GsettingsKeys{kCinnamonSchema, {"picture-uri"}, true};
    case DesktopKind::Mate: return GsettingsKeys{kMateSchema, {"picture-filename"}, false};
    default: return std::nullopt;
    }
}

// A text as a GVariant string literal, the form gsettings reads.
QString GVariantString(const QString& text)
{
    QString quoted = text;
    quoted.replace('\\', "\\\\").replace('\'', "\\'");
    return '\'' + quoted + '\'';
}

// A text as a JavaScript string literal (JSON's rules are JavaScript's).
QString ScriptString(const QString& text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString FileUri(const QString& file) { return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded); }

// The Plasma script that sets every desktop's picture and its placement
// (FillMode 6 is "centred").
QString PlasmaSetScript(const QString& image, const QString& fill_mode)
{
    return QStringLiteral("var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; "
                          "d.wallpaperPlugin = \"org.kde.image\"; "
                          "d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"]; "
                          "d.writeConfig(\"Image\", %1); d.writeConfig(\"FillMode\", %2); }")
        .arg(ScriptString(image), ScriptString(fill_mode));
}

const QString kPlasmaReadScript = QStringLiteral(
    "var d = desktops()[0]; d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"]; "
    "print(d.readConfig(\"Image\") + \"\\n\" + d.readConfig(\"FillMode\"));");

QStringList PlasmaCall(const QString& script)
{
    return {"--session", "--type=method_call", "--print-reply", "--dest=org.kde.plasmashell", "/PlasmaShell",
            "org.kde.PlasmaShell.evaluateScript", "string:" + script};
}

// The string of a dbus-send reply: the text between the first `string "` and the last quote.
QString DbusReplyString(const QByteArray& output)
{
    const QString text = QString::fromUtf8(output);
    const qsizetype start = text.indexOf("string \"");
    const qsizetype end = text.lastIndexOf('"');
    if (start < 0 || end < start + 8)
        return {};
    return text.mid(start + 8, end - start - 8);
}

QString StyleProperty(const QString& image_property)
{
    QString style = image_property;
    style.replace(style.lastIndexOf('/') + 1, style.size(), "image-style");
    return style;
}

QString Percent(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }
QString Unpercent(const QString& text) { return QUrl::fromPercentEncoding(text.toLatin1()); }

}  // namespace

CommandOutput ProcessRunner::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    CommandOutput result;
    if (!process.waitForStarted(timeout_ms_))
        return result;
    if (!process.waitForFinished(timeout_ms_)) {
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exit_code = process.exitCode();
    result.output = process.readAllStandardOutput();
    return result;
}

DesktopKind DesktopOf(const QString& xdg_current_desktop)
{
    for (const QString& part : xdg_current_desktop.split(':', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toUpper();
        if (name == "GNOME" || name == "UNITY" || name == "BUDGIE" || name == "PANTHEON" || name == "GNOME-FLASHBACK")
            return DesktopKind::Gnome;
        if (name == "X-CINNAMON" || name == "CINNAMON")
            return DesktopKind::Cinnamon;
        if (name == "MATE")
            return DesktopKind::Mate;
        if (name == "XFCE")
            return DesktopKind::Xfce;
        if (name == "KDE")
            return DesktopKind::Kde;
    }
    return DesktopKind::Unsupported;
}

QString DesktopKindName(DesktopKind kind)
{
    switch (kind) {
    case DesktopKind::Gnome: return "GNOME";
    case DesktopKind::Cinnamon: return "Cinnamon";
    case DesktopKind::Mate: return "MATE";
    case DesktopKind::Xfce: return "Xfce";
    case DesktopKind::Kde: return "KDE";
    case DesktopKind::Unsupported: break;
    }
    return {};
}

QString WallpaperCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/indikt";
}

QString WallpaperStateFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + "/.local/state";
    return state + "/indikt";
}

WallpaperService::WallpaperService(DesktopKind kind, QString desktop_name, CommandRunner& runner,
                                   QString cache_folder, QString state_folder)
    : kind_(kind),
      desktop_name_(std::move(desktop_name)),
      runner_(runner),
      cache_folder_(std::move(cache_folder)),
      state_folder_(std::move(state_folder))
{
}

QString WallpaperService::unsupported() const
{
    const QString which = desktop_name_.trimmed().isEmpty() ? QStringLiteral("этого сеанса")
                                                            : "«" + desktop_name_.trimmed() + "»";
    return "Рабочий стол " + which +
           " не поддерживается: иконы можно поместить на Рабочий стол в GNOME, Cinnamon, MATE, Xfce и KDE Plasma.";
}

QString WallpaperService::run(const QString& program, const QStringList& arguments, QByteArray* output)
{
    const CommandOutput result = runner_.run(program, arguments);
    if (!result.finished)
        return "Не удалось выполнить «" + program + "»: программа не найдена или не ответила.";
    if (result.exit_code != 0)
        return "«" + program + "» завершилась с ошибкой (код " + QString::number(result.exit_code) + ").";
    if (output)
        *output = result.output;
    return {};
}

QString WallpaperService::setPicture(const QString& path)
{
    if (kind_ == DesktopKind::Unsupported)
        return unsupported();
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxDataFileBytes * 8);
    if (!bytes || bytes->isEmpty())
        return "Не удалось прочитать изображение «" + QFileInfo(path).fileName() + "».";
    return setPictureBytes(*bytes);
}

QString WallpaperService::setPictureBytes(const QByteArray& jpeg)
{
    if (kind_ == DesktopKind::Unsupported)
        return unsupported();
    if (jpeg.isEmpty())
        return "Нет изображения для Рабочего стола.";
    if (!QDir().mkpath(cache_folder_))
        return "Не удалось создать папку «" + cache_folder_ + "».";
    // A new name each time: the desktop reloads only a changed value.
    qint64 stamp = QDateTime::currentMSecsSinceEpoch();
    QString file;
    do {
        file = cache_folder_ + '/' + kCachePrefix + QString::number(stamp++) + ".jpg";
    } while (QFileInfo::exists(file));
    if (const WriteResult written = WriteFileAtomically(file, jpeg); !written.ok())
        return written.error;
    const QString error = apply(file);
    if (!error.isEmpty()) {
        QFile::remove(file);
        return error;
    }
    // The earlier pictures are no longer shown.
    const QStringList old = QDir(cache_folder_).entryList({kCachePrefix + "*.jpg"}, QDir::Files);
    for (const QString& name : old)
        if (cache_folder_ + '/' + name != file)
            QFile::remove(cache_folder_ + '/' + name);
    last_file_ = file;
    return {};
}

QString WallpaperService::apply(const QString& file)
{
    if (const QString error = rememberOnce(); !error.isEmpty())
        return error;
    std::vector<Value> values;
    if (const auto keys = GsettingsOf(kind_)) {
        values.push_back({keys->schema + " picture-options", "'centered'"});
        for (const QString& key : keys->picture_keys)
            values.push_back({keys->schema + ' ' + key, GVariantString(keys->picture_as_uri ? FileUri(file) : file)});
    } else if (kind_ == DesktopKind::Xfce) {
        QString error;
        const QStringList properties = xfceImageProperties(&error);
        if (!error.isEmpty())
            return error;
        for (const QString& property : properties) {
            values.push_back({StyleProperty(property), "1"});  // 1: centred
            values.push_back({property, file});
        }
    } else if (kind_ == DesktopKind::Kde) {
        values = {{"Image", FileUri(file)}, {"FillMode", "6"}};
    }
    return write(values);
}

QStringList WallpaperService::xfceImageProperties(QString* error)
{
    QByteArray output;
    *error = run("xfconf-query", {"-c", kXfceChannel, "-l"}, &output);
    if (!error->isEmpty())
        return {};
    QStringList properties;
    for (const QString& line : QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith("/backdrop/") && property.endsWith("/last-image"))
            properties.append(property);
    }
    // A desktop never configured yet has no backdrop keys: the first screen's.
    if (properties.isEmpty())
        properties.append("/backdrop/screen0/monitor0/workspace0/last-image");
    return properties;
}

std::vector<WallpaperService::Value> WallpaperService::readCurrent(QString* error)
{
    std::vector<Value> values;
    QByteArray output;
    if (const auto keys = GsettingsOf(kind_)) {
        QStringList names = keys->picture_keys;
        names.prepend("picture-options");
        for (const QString& name : names) {
            // A key an older desktop lacks ("picture-uri-dark") is not remembered.
            if (run("gsettings", {"get", keys->schema, name}, &output).isEmpty() && !output.trimmed().isEmpty())
                values.push_back({keys->schema + ' ' + name, QString::fromUtf8(output).trimmed()});
        }
        if (values.empty())
            *error = "Не удалось прочитать настройки Рабочего стола (gsettings).";
    } else if (kind_ == DesktopKind::Xfce) {
        const QStringList properties = xfceImageProperties(error);
        for (const QString& property : properties) {
            for (const QString& name : {StyleProperty(property), property})
                if (run("xfconf-query", {"-c", kXfceChannel, "-p", name}, &output).isEmpty() &&
                    !output.trimmed().isEmpty())
                    values.push_back({name, QString::fromUtf8(output).trimmed()});
        }
    } else if (kind_ == DesktopKind::Kde) {
        *error = run("dbus-send", PlasmaCall(kPlasmaReadScript), &output);
        const QStringList lines = DbusReplyString(output).split("\\n");
        if (error->isEmpty() && lines.size() == 2 && !lines[0].isEmpty())
            values = {{"Image", lines[0]}, {"FillMode", lines[1]}};
        else if (error->isEmpty())
            *error = "Plasma не сообщила текущие обои.";
    }
    return values;
}

QString WallpaperService::write(const std::vector<Value>& values)
{
    if (kind_ == DesktopKind::Kde) {
        QString image, fill_mode;
        for (const Value& v : values)
            (v.key == "Image" ? image : fill_mode) = v.value;
        return run("dbus-send", PlasmaCall(PlasmaSetScript(image, fill_mode)));
    }
    for (const Value& v : values) {
        QString error;
        if (kind_ == DesktopKind::Xfce) {
            const bool style = v.key.endsWith("/image-style");
            QStringList arguments{"-c", kXfceChannel, "-p", v.key, "-n", "-t", style ? "int" : "string", "-s", v.value};
            error = run("xfconf-query", arguments);
        } else {
            const QString schema = v.key.section(' ', 0, 0);
            const QString key = v.key.section(' ', 1);
            error = run("gsettings", {"set", schema, key, v.value});
            // GNOME before 42 has no dark picture; the light one is enough.
            if (!error.isEmpty() && key == "picture-uri-dark")
                error.clear();
        }
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString WallpaperService::statePath() const { return state_folder_ + "/wallpaper.ini"; }

bool WallpaperService::hasRemembered() const
{
    const IniReadResult read = ReadIniFile(statePath(), DamagedFile::Leave);
    return read.file.contains(DesktopKindName(kind_), u"Count");
}

QString WallpaperService::rememberOnce()
{
    if (hasRemembered())
        return {};
    // A wallpaper that cannot be read is not remembered, and does not keep
    // the picture from the desktop; nor is a picture of our own taken for
    // the user's.
    QString error;
    const std::vector<Value> values = readCurrent(&error);
    if (!error.isEmpty() || values.empty())
        return {};
    for (const Value& v : values)
        if (v.value.contains("indikt/" + kCachePrefix))
            return {};
    IniReadResult read = ReadIniFile(statePath(), DamagedFile::Keep);
    const QString section = DesktopKindName(kind_);
    for (size_t i = 0; i < values.size(); ++i) {
        read.file.setValue(section, QString("Key%1").arg(i + 1), Percent(values[i].key));
        read.file.setValue(section, QString("Value%1").arg(i + 1), Percent(values[i].value));
    }
    read.file.setValue(section, u"Count", QString::number(values.size()));
    if (!QDir().mkpath(state_folder_))
        return "Не удалось создать папку «" + state_folder_ + "».";
    return SaveIniFile(read.file, statePath()).error;
}

QString WallpaperService::restorePrevious()
{
    if (kind_ == DesktopKind::Unsupported)
        return unsupported();
    const IniReadResult read = ReadIniFile(statePath(), DamagedFile::Leave);
    const QString section = DesktopKindName(kind_);
    if (!read.file.contains(section, u"Count"))
        return {};
    const int count = std::clamp(read.file.value(section, u"Count", "0").toInt(), 0, 256);
    std::vector<Value> values;
    for (int i = 1; i <= count; ++i) {
        const QString key = Unpercent(read.file.value(section, QString("Key%1").arg(i), {}));
        if (!key.isEmpty())
            values.push_back({key, Unpercent(read.file.value(section, QString("Value%1").arg(i), {}))});
    }
    if (const QString error = write(values); !error.isEmpty())
        return error;
    // Forgotten once put back: the next change remembers the wallpaper of that day.
    IniFile rest;
    for (const QString& other : read.file.sectionNames()) {
        if (other.compare(section, Qt::CaseInsensitive) == 0 || other.isEmpty())
            continue;
        for (const QString& key : read.file.keyNames(other))
            rest.setValue(other, key, read.file.value(other, key, {}));
    }
    if (const WriteResult saved = SaveIniFile(rest, statePath()); !saved.ok())
        return saved.error;
    for (const QString& name : QDir(cache_folder_).entryList({kCachePrefix + "*.jpg"}, QDir::Files))
        QFile::remove(cache_folder_ + '/' + name);
    last_file_.clear();
    return {};
}

IconComposition ComposeIconPlaces(const std::vector<QSize>& sizes)
{
    IconComposition composition;
    int left = 1;
    int tallest = 0;
    for (const QSize& size : sizes) {
        composition.places.emplace_back(QPoint(left, 1), size);
        left += size.width() + 2;
        tallest = std::max(tallest, size.height());
    }
    if (!sizes.empty())
        composition.canvas = QSize(left - 2 + 1, tallest + 2);
    return composition;
}

ComposedPicture ComposeDesktopPicture(const QStringList& picture_paths)
{
    std::vector<QImage> pictures;
    for (const QString& path : picture_paths) {
        QImageReader reader(path);
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
            continue;
        QImage picture = reader.read();
        if (!picture.isNull())
            pictures.push_back(std::move(picture));
    }
    ComposedPicture composed;
    if (pictures.empty())
        return composed;
    std::vector<QSize> sizes;
    for (const QImage& picture : pictures)
        sizes.push_back(picture.size());
    const IconComposition places = ComposeIconPlaces(sizes);
    QImage canvas(places.canvas, QImage::Format_RGB32);
    canvas.fill(Qt::black);  // what lies under a shorter icon: dark, as most desktops are
    {
        QPainter painter(&canvas);
        for (size_t i = 0; i < pictures.size(); ++i)
            painter.drawImage(places.places[i].topLeft(), pictures[i]);
    }
    QBuffer buffer(&composed.jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(92);
    if (!writer.write(canvas)) {
        composed.jpeg.clear();
        return composed;
    }
    composed.drawn = static_cast<int>(pictures.size());
    return composed;
}

}  // namespace indikt
