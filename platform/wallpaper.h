#pragma once

// The desktop wallpaper: one service for the program, a backend per desktop
// chosen by XDG_CURRENT_DESKTOP (GNOME, Cinnamon, MATE, Xfce, KDE Plasma).
// Every backend talks to its desktop through command-line tools run with
// argument lists (never a shell), through a runner that tests replace.
//
// Desktops ignore a key set to the value it already holds, so every picture
// set is first copied to a new file under the cache folder (the previous one
// removed) and the desktop pointed there. Before the first change the user's
// own wallpaper is remembered, once per desktop, in the state folder, and can
// be put back.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace indikt {

struct CommandOutput {
    bool finished = false;  // started and ended by itself within the time allowed
    int exit_code = -1;
    QByteArray output;      // standard output
};

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual CommandOutput run(const QString& program, const QStringList& arguments) = 0;
};

// Runs a program with QProcess and waits at most `timeout_ms` for it.
class ProcessRunner : public CommandRunner {
public:
    explicit ProcessRunner(int timeout_ms = 10000) : timeout_ms_(timeout_ms) {}
    CommandOutput run(const QString& program, const QStringList& arguments) override;

private:
    int timeout_ms_;
};

enum class DesktopKind { Unsupported, Gnome, Cinnamon, Mate, Xfce, Kde };

// The desktop of a session by its XDG_CURRENT_DESKTOP, a list separated by
// ':' ("ubuntu:GNOME", "X-Cinnamon", "XFCE", "KDE"); the first known wins.
DesktopKind DesktopOf(const QString& xdg_current_desktop);
QString DesktopKindName(DesktopKind kind);

// Where the service keeps its files: $XDG_CACHE_HOME/indikt and
// $XDG_STATE_HOME/indikt (with their defaults).
QString WallpaperCacheFolder();
QString WallpaperStateFolder();

class WallpaperService {
public:
    // `desktop_name` is the session's XDG_CURRENT_DESKTOP, for the message of
    // an unsupported desktop.
    WallpaperService(DesktopKind kind, QString desktop_name, CommandRunner& runner, QString cache_folder,
                     QString state_folder);

    DesktopKind kind() const { return kind_; }

    // Each returns an error for the user, or empty on success.
    // A picture file as the wallpaper, centred.
    QString setPicture(const QString& path);
    // JPEG bytes as the wallpaper, centred.
    QString setPictureBytes(const QByteArray& jpeg);
    // Puts back the wallpaper the user had before the first change, when one
    // was remembered; then forgets it.
    QString restorePrevious();
    bool hasRemembered() const;

    // The file the desktop was last pointed to, or empty.
    const QString& lastFile() const { return last_file_; }

private:
    struct Value {
        QString key;
        QString value;
    };
    QString apply(const QString& file);
    QString unsupported() const;
    QString rememberOnce();
    std::vector<Value> readCurrent(QString* error);
    QString write(const std::vector<Value>& values);
    QString run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr);
    QStringList xfceImageProperties(QString* error);
    QString statePath() const;

    DesktopKind kind_;
    QString desktop_name_;
    CommandRunner& runner_;
    QString cache_folder_;
    QString state_folder_;
    QString last_file_;
};

// The desktop picture of several icons: side by side, 1 pixel from the left
// and top edges and 2 pixels apart, on a canvas 2 pixels higher than the
// tallest and 1 pixel wider than the last icon's right edge. Each rectangle
// is where one picture is drawn.
struct IconComposition {
    QSize canvas;
    std::vector<QRect> places;
};
IconComposition ComposeIconPlaces(const std::vector<QSize>& sizes);

// Draws the pictures that can be read (the others are left out) into one
// JPEG. `drawn` counts them; with none drawn the bytes are empty.
struct ComposedPicture {
    QByteArray jpeg;
    int drawn = 0;
};
ComposedPicture ComposeDesktopPicture(const QStringList& picture_paths);

}  // namespace indikt
