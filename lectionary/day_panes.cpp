#include "day_panes.h"

namespace indikt {

const std::array<DayPaneInfo, kDayPaneCount>& DayPanes()
{
    static const std::array<DayPaneInfo, kDayPaneCount> panes = {{
        {DayPane::Menaion, "Месяцеслов", "PanelM", "WebMes", "ActionMesez"},
        {DayPane::Troparia, "Тропари и кондаки", "PanelTr", "WeBTr", "ActionTropar"},
        {DayPane::Lectionary, "Лекционарий", "PanelBeibl", "WebBeibl", "ActionBeibl"},
        {DayPane::Notes, "Личные записи", "PanelSapis", "RichEditSapis", "ActionPanelSapis"},
        {DayPane::PrayerBook, "Молитвослов", "PanelMolitv", "WeBMol", "ActionMolitv"},
        {DayPane::Lives, "Жития святых", "PanelGitiya", "WebGit", "ActionGitiya"},
    }};
    return panes;
}

const DayPaneInfo& Info(DayPane pane) { return DayPanes()[static_cast<size_t>(pane)]; }

std::optional<DayPane> PaneOfCaption(const QString& caption)
{
    for (const DayPaneInfo& info : DayPanes())
        if (caption == QString::fromUtf8(info.caption))
            return info.pane;
    return std::nullopt;
}

}  // namespace indikt
