#pragma once

// The text panes of the day page and the one interface that fills them.
// The caption above the right-hand pane names the pane shown; other code
// decides what to refresh by comparing it with these captions, so they are
// part of the interface, written once here.

#include "calendar/date.h"
#include "calendar/paschalion.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace indikt {

enum class DayPane { Menaion, Troparia, Lectionary, Notes, PrayerBook, Lives };
inline constexpr int kDayPaneCount = 6;

struct DayPaneInfo {
    DayPane pane;
    const char* caption;      // of `LabelRicht`
    const char* panel;        // the page of `PageList`
    const char* view;         // the widget that shows the text
    const char* command;      // the command that switches to it
};
const std::array<DayPaneInfo, kDayPaneCount>& DayPanes();
const DayPaneInfo& Info(DayPane pane);
std::optional<DayPane> PaneOfCaption(const QString& caption);

// What a pane is filled for: the liturgical day (the next day in the
// evening mode) with its facts. Builders get everything through this and
// keep nothing from one day to the next.
struct DayRequest {
    Date date;
    DayFacts facts;
    bool evening = false;  // `date` is the day after the one shown ("C вечера")
};

// What a builder returns: the page, the files it read (relative to the data
// root) and the source-file commands to show because their file was found.
struct PaneText {
    QString html;             // the text of the day (the pane adds its page around it)
    QString file;             // or a page of the tree to show by path, relative to the data root
    bool red_links = true;    // the Menaion's links red, else black
    QStringList files;
    QStringList found_commands;
    QStringList found_files;  // the file each found command opens, relative to the data root
};

class DayTextBuilder {
public:
    virtual ~DayTextBuilder() = default;
    virtual PaneText build(const DayRequest& request) = 0;
};

}  // namespace indikt
