#pragma once

// The free text viewer ("Просмотр текстов"): a pane with its own history and
// the buttons back, forward, reload, print, copy, find and page source, and a
// zoom of 50 to 200 per cent. It lives in the window's viewer panel and in
// the separate viewer windows.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolBar;

namespace indikt {

class Asker;
class HtmlPane;

class TextViewer : public QWidget {
    Q_OBJECT
public:
    TextViewer(const QString& data_root, Asker& asker, QWidget* parent = nullptr);

    HtmlPane* browser() const { return browser_; }
    // Opens a local page of the tree (a file URL, with its fragment).
    bool open(const QUrl& address);
    void showPage(const QString& html);

    void setZoom(int percent);
    int zoom() const;

    void goBack();
    void goForward();
    void reload();
    void print();
    void copy();
    void showFind();
    void closeFind();
    bool findNext(const QString& text);
    void showSource();
    // The quick jump to an index page of the tree, by its item.
    void ComboBoxBeiblChange(int index);
    QComboBox* quickJump() const { return quick_jump_; }

signals:
    // A link of the viewer's page that leaves it (a web address).
    void linkClicked(const QUrl& address);
    void zoomChanged(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateButtons();
    // The viewer's own keys while the focus is in it: they win over the same
    // keys of the main window (F5, Ctrl+P, Ctrl+F3, Esc in the find bar).
    bool runOwnKey(const QKeyEvent& key, bool run);

    QString data_root_;
    Asker& asker_;
    HtmlPane* browser_ = nullptr;
    QToolBar* tool_bar_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QLabel* zoom_label_ = nullptr;
    QLineEdit* find_ = nullptr;
    QComboBox* quick_jump_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
};

}  // namespace indikt
