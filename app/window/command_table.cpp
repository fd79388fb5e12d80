#include "command_table.h"

#include "app/window/tool_icons.h"

#include "calendar/fasts.h"
#include "calendar/feasts.h"
#include "platform/library_pages.h"

#include <QAction>
#include <QWidget>

#include <cstdio>
#include <initializer_list>

namespace indikt {

namespace {

std::string WithoutDash(std::string_view prefix)
{
    constexpr std::string_view dash = " - ";
    if (prefix.ends_with(dash))
        prefix.remove_suffix(dash.size());
    return std::string(prefix);
}

// A church feast is listed with the twelve great feasts when its caption is
// written in capitals, the way the year menus write them; Pascha, the feast
// of feasts, stands at the head of the great feasts.
std::string FeastCategory(const ChurchFeast& feast)
{
    if (feast.kind == 12)
        return "Великие";
    const QString first =
        QString::fromUtf8(feast.prefix.data(), static_cast<qsizetype>(feast.prefix.size())).section(' ', 0, 0);
    return first == first.toUpper() ? "Двунадесятые" : "Великие";
}

std::string Numbered(const char* stem, int number, int width)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*d", stem, width, number);
    return buffer;
}

std::vector<Command> MakeTable()
{
    std::vector<Command> t;
    const auto add = [&t](std::string name, std::string category, std::string caption, std::string shortcut = {},
                          bool checkable = false) {
        t.push_back({std::move(name), std::move(category), std::move(caption), std::move(shortcut), 0, checkable});
    };

    add("ActionUtro", "Календарь", "С утра", "Ctrl+Home", true);
    add("ActionVezher", "Календарь", "C вечера", "Ctrl+End", true);  // a Latin C: other code compares it
    add("ActionPrDn", "Календарь", "Предыдущий день", "Ctrl+Down");
    add("ActionSlDn", "Календарь", "Следующий день", "Ctrl+Up");
    add("ActionSegodn", "Календарь", "Сегодня", "F8");
    add("ActionBack", "Календарь", "Назад", "Ctrl+Left");
    add("ActionForward", "Календарь", "Вперед", "Ctrl+Right");
    add("ActionRefrech", "Календарь", "Обновить", "F5");
    add("ActionVData", "Календарь", "Выбрать дату", "Ctrl+D");
    add("ActionBookMark", "Календарь", "Закладки", "F4");
    add("ActionAddBookMark", "Календарь", "Добавить закладку");
    add("ActionPredSapis", "Календарь", "Предыдущая запись", "Shift+Down");
    add("ActionSledSapis", "Календарь", "Следующая запись", "Shift+Up");
    add("ActionPrIco", "Календарь", "Предыдущая икона");
    add("ActionSlIco", "Календарь", "Следующая икона");
    add("VidMont", "Календарь", "Свернуть/развернуть календарь", "F7");

    add("ActionMesez", "Отображать", "Месяцеслов", "Ctrl+M");
    add("ActionTropar", "Отображать", "Тропари и кондаки", "Ctrl+T");
    add("ActionBeibl", "Отображать", "Лекционарий", "Ctrl+B");
    add("ActionPanelSapis", "Отображать", "Личные записи", "Ctrl+L");
    add("ActionMolitv", "Отображать", "Молитвослов", "Ctrl+Y");
    add("ActionGitiya", "Отображать", "Жития святых", "Ctrl+G");
    add("ActionPanelIco", "Отображать", "Иконы", "Ctrl+I", true);
    add("ActionPoisk", "Отображать", "Поиск", "Ctrl+F", true);
    add("ActionExplorer", "Отображать", "Просмотр текстов", "Ctrl+E", true);
    add("ActionPageList", "Отображать", "Многостраничная панель", "Ctrl+N", true);

    add("ActionPanelMenu", "Вид", "Показать главное меню", "F2", true);
    add("PInstrStand", "Вид", "Показать", "F3", true);
    add("ActionLargeIco", "Вид", "Большие кнопки", "Shift+F3", true);
    add("ActionKnVKalendare", "Вид", "Поместить в Календаре", "Ctrl+F3", true);
    add("StrokaSostojania", "Вид", "Строка состояния", "F9", true);
    add("ActionMax", "Вид", "Во весь экран", "Shift+F6");
    add("ActionOptim", "Вид", "Оптимальный", "Shift+F7");
    add("ActionMinim", "Вид", "Компактный", "Shift+F8");
    add("ActionChas", "Вид", "Мини-индикт", "Shift+F9", true);
    add("ActionSistTr", "Вид", "Поместить в системный трей", "Shift+F10");

    add("ActionSob", "Приложения", "Памятка", "Ctrl+U");
    // Ctrl+U belongs to "Памятка": two actions on one key would both stop firing.
    add("ActionNewJub", "Приложения", "Добавить юбилей");
    add("ActionNewPr", "Приложения", "Добавить праздник");
    add("ActionPash", "Приложения", "Пасхалия", "Ctrl+P");
    add("ActionParam", "Приложения", "Параметры", "F6");
    add("ActionDomPravilo", "Приложения", "Домашнее правило", "Ctrl+R");
    add("ActionAddImage", "Приложения", "Загрузить изображение", "Ctrl+Q");
    add("ActionSaveSapis", "Приложения", "Сохранить запись", "Ctrl+S");
    add("ActionDelSap", "Приложения", "Удалить запись", "Ctrl+Del");
    add("ActionEsc", "Приложения", "Отмена", "Esc");

    add("FileKopia", "Файл", "Резервное копирование", "Ctrl+K");
    add("ActionOtzhet", "Файл", "Отчет", "Ctrl+O");
    add("ActionExportIcal", "Файл", "Экспорт в календарь (iCalendar)…");
    add("ActionPrint", "Файл", "Печать");
    add("FileExit", "Файл", "Выход", "Alt+F4");

    add("EditUndo", "Правка", "Отменить", "Ctrl+Z");
    add("EditCut", "Правка", "Вырезать", "Ctrl+X");
    add("EditCopy", "Правка", "Копировать", "Ctrl+C");
    add("EditPaste", "Правка", "Вставить", "Ctrl+V");
    add("EditSelectAll", "Правка", "Выделить все", "Ctrl+A");

    for (const ChurchFeast& feast : ChurchFeasts()) {
        std::string shortcut = feast.kind == 22 ? "F11" : feast.kind == 12 ? "F12" : "";
        t.push_back({Numbered("ActionDvPr", feast.kind, 3), FeastCategory(feast), WithoutDash(feast.prefix),
                     std::move(shortcut), feast.kind, false});
    }
    for (const CivilHoliday& holiday : CivilHolidays())
        t.push_back({Numbered("ActionGosPr", holiday.kind, 3), "Государственные", WithoutDash(holiday.prefix), {},
                     holiday.kind, false});
    for (const FastPeriod& period : FastPeriods())
        t.push_back({Numbered("ActionPost", period.kind, 0), std::string(period.group), std::string(period.caption),
                     {}, period.kind, false});

    // The source-file commands of the texts of the day, with the tag the
    // readers give them (the slot of the address list they open).
    struct Listed { const char* name; const char* caption; int tag; };
    const auto add_listed = [&t](const char* category, std::initializer_list<Listed> commands) {
        for (const Listed& c : commands)
            t.push_back({c.name, category, c.caption, {}, c.tag, false});
    };
    add("ActionLexNewMedia", "Лекционарий", "Создать оглавление звукозаписей");
    add("ActionLexOpenMedia", "Лекционарий", "Открыть оглавление звукозаписей");
    add("ActionLexDeleteMedia", "Лекционарий", "Удалить оглавление звукозаписей");
    add("ActionGitiyaOpen", "Жития", "Открыть оглавление Жития святых");
    add("ActionMolitvNew", "Молитвослов", "Создать оглавление Молитвослова");
    add("ActionMolitvOpen", "Молитвослов", "Открыть оглавление Молитвослова");
    add("ActionMolitvDelete", "Молитвослов", "Удалить оглавление Молитвослова");
    add("ActionFontMesL", "Месяцеслов", "Шрифт заголовка в Месяцеслове");
    add("ActionFontMesM", "Месяцеслов", "Шрифт текста в Месяцеслове");
    add_listed("Месяцеслов", {{"ActionMesVelPer", "Великие переходящие праздники", 0},
                              {"ActionMesVelNePer", "Великие непереходящие праздники", 1},
                              {"ActionMesPer", "Переходящие праздники", 2},
                              {"ActionMesNePer", "Непереходящие праздники", 3},
                              {"ActionMesInoe", "Иные праздники", 4},
                              {"ActionMesUslovie", "Разное", 5}});
    add_listed("Тропари и кондаки", {{"ActionTrVos", "Воскресные", 0},
                                     {"ActionTrVelPer", "Великие переходящие праздники", 1},
                                     {"ActionTrVelNePer", "Великие непереходящие праздники", 2},
                                     {"ActionTrPer", "Переходящие праздники", 3},
                                     {"ActionTrNePer", "Непереходящие праздники", 4},
                                     {"ActionTrDnja", "Дневные", 5},
                                     {"ActionTrInoe", "Иные праздники", 6},
                                     {"ActionTrNewMedia", "Создать оглавление", 0},
                                     {"ActionTrOpenMedia", "Открыть оглавление", 0},
                                     {"ActionTrDeleteMedia", "Удалить оглавление", 0}});
    add_listed("Евангельские чтения", {{"ActionEvUtr", "Утренние", 0},
                                       {"ActionEvVelPer", "Великие переходящие праздники", 1},
                                       {"ActionEvVelNePer", "Великие непереходящие праздники", 2},
                                       {"ActionEvPer", "Переходящие праздники", 3},
                                       {"ActionEvNePer", "Непереходящие праздники", 4},
                                       {"ActionEvInoe", "Иные праздники", 5}});
    add_listed("Апостольские чтения", {{"ActionApVelPer", "Великие переходящие праздники", 0},
                                       {"ActionApVelNePer", "Великие непереходящие праздники", 1},
                                       {"ActionApPer", "Переходящие праздники", 2},
                                       {"ActionApNePer", "Непереходящие праздники", 3},
                                       {"ActionApInoe", "Иные праздники", 4}});
    add_listed("Паримии", {{"ActionParPer", "Переходящие праздники", 0},
                           {"ActionParInoe", "Иные праздники", 1},
                           {"ActionParNePer", "Непереходящие праздники", 2}});

    const char* const languages[][2] = {
        {"Slav", "На славянском"},  {"Gragd", "На слав. гражданским шрифтом"}, {"Rus", "На русском"},
        {"Svuk", "Звукозаписи"},    {"Video", "Видеозаписи"},
    };
    for (const char* pane : {"Beibl", "Tr", "Molitv"})
        for (const auto& language : languages)
            add(std::string("Action") + language[0] + pane, "Версия", language[1], {}, true);

    add_listed("Иконы", {{"OpenIcoSpas", "Спаситель", 1},
                         {"OpenIcoVos", "Воскресные", 2},
                         {"OpenIcoVelPerehDP", "Великие переходящие праздники", 3},
                         {"OpenIcoVelPerehPP", "Великие переходящие праздники", 4},
                         {"OpenIcoVelNePereh", "Великие непереходящие праздники", 5},
                         {"OpenIcoPerehDP", "Переходящие праздники", 6},
                         {"OpenIcoPerehPP", "Переходящие праздники", 7},
                         {"OpenIcoNepereh", "Непереходящие праздники", 8},
                         {"OpenIcoInoe", "Иные праздники", 9}});
    add("ActionPervIcoActiveDesktop", "Поместить на Рабочий стол", "Первую икону");
    add("ActionDveIcoActiveDesktop", "Поместить на Рабочий стол", "Две иконы");
    add("ActionTriIcoActiveDesktop", "Поместить на Рабочий стол", "Три иконы");
    add("ActionZchetriIcoActiveDesktop", "Поместить на Рабочий стол", "Четыре иконы");
    add("ActionIcoActiveDesktop", "Поместить на Рабочий стол", "Поместить икону на Рабочий стол");
    add("ActionIcoDesktop", "Поместить на Рабочий стол", "Иконы дня на Рабочем столе", {}, true);

    add_listed("Домашнее правило", {{"ActionSlGlEvNSav", "Следующая глава Евангелия", 1},
                                    {"ActionPrGlEvNSav", "Предыдущая глава Евангелия", 2},
                                    {"ActionSlGlApNSav", "Следующая глава Апостола", 3},
                                    {"ActionPrGlApNSav", "Предыдущая глава Апостола", 4},
                                    {"ActionSlGlPsalm", "Следующая кафизма", 5},
                                    {"ActionPrGlPsalm", "Предыдущая кафизма", 6},
                                    {"ActionSlGlVSav", "Следующая глава ВЗ", 7},
                                    {"ActionPrGlVSav", "Предыдущая глава ВЗ", 8},
                                    {"ActionDomPrCopyAll", "Копировать все", 0}});
    add("VidInstrUtro", "Настройка", "С утра", {}, true);
    add("VidInstrVecher", "Настройка", "C вечера", {}, true);
    add("VidInstrPash", "Настройка", "Пасхалия", {}, true);
    add("VidInstrPoisk", "Настройка", "Поиск", {}, true);
    add("VidInstrParam", "Настройка", "Параметры", {}, true);
    add("VidInstrPam", "Настройка", "Памятка", {}, true);
    add("VidInstrDomPrav", "Настройка", "Домашнее правило", {}, true);
    add("VidInstrData", "Настройка", "Выбрать дату", {}, true);
    add("VidInstrCopy", "Настройка", "Резервное копирование", {}, true);
    add("VidInstrPrint", "Настройка", "Печать", {}, true);
    add("VidInstrSap", "Настройка", "Личные записи", {}, true);
    add("VidInstrLibrary", "Настройка", "Библиотека", {}, true);

    for (int tag = 0; tag < kLibraryPageCount; ++tag) {
        const LibraryPage& page = *LibraryPageOfTag(tag);
        const char* category = page.host != 0                                 ? "Kovcheg"
                               : tag <= 3                                     ? "Жития святых"
                               : tag == 4 || tag == 27                        ? "Библия"
                                                                              : "Тексты";
        t.push_back({page.command, category, page.caption, {}, page.tag, false});
    }

    add("ActionImportBible", "Библия", "Импорт Библии…");

    add("HelpContents1", "Справка", "Справка", "F1");
    add("ActionOpenSeite", "Справка", "Посетить сайт программы");
    add("ActionRenameVers", "Справка", "Проверить обновление программы");
    add("Action2", "Справка", "О программе");
    return t;
}

}  // namespace

const std::vector<Command>& CommandTable()
{
    static const std::vector<Command> table = MakeTable();
    return table;
}

const Command* FindCommand(std::string_view name)
{
    for (const Command& command : CommandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

const std::vector<ToolBarButton>& ToolBarButtons()
{
    static const std::vector<ToolBarButton> buttons = {
        {"ActionUtro", "VidInstrUtro"},       {"ActionVezher", "VidInstrVecher"},
        {"ActionPash", "VidInstrPash"},       {"ActionPoisk", "VidInstrPoisk"},
        {"ActionParam", "VidInstrParam"},     {"ActionSob", "VidInstrPam"},
        {"ActionDomPravilo", "VidInstrDomPrav"}, {"ActionVData", "VidInstrData"},
        {"FileKopia", "VidInstrCopy"},        {"ActionPrint", "VidInstrPrint"},
        {"ActionPanelSapis", "VidInstrSap"},  {"ActionExplorer", "VidInstrLibrary"},
    };
    return buttons;
}

CommandSet::CommandSet(QWidget* window)
{
    for (const Command& command : CommandTable()) {
        auto* action = new QAction(QString::fromStdString(command.caption), window);
        action->setObjectName(QString::fromStdString(command.name));
        action->setStatusTip(action->text());
        if (!command.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromStdString(command.shortcut)));
        action->setCheckable(command.checkable);
        action->setIcon(ToolIcon(command.name));
        action->setData(command.tag);
        action->setEnabled(false);
        window->addAction(action);  // the window owns the shortcut, wherever the focus is inside it
        actions_.insert(action->objectName(), action);
    }
}

QAction* CommandSet::action(std::string_view name) const
{
    QAction* found = actions_.value(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    Q_ASSERT_X(found, "CommandSet", "a command missing from the table");
    return found;
}

void CommandSet::connect(std::string_view name, std::function<void()> handler)
{
    QAction* a = action(name);
    a->setEnabled(true);
    a->setProperty(kHandledProperty, true);  // stays true while a hidden action is disabled
    QObject::connect(a, &QAction::triggered, a, [this, a, handler = std::move(handler)] {
        if (runner_)
            runner_(a, handler);
        else
            handler();
    });
}

void CommandSet::connectTagged(std::string_view name, std::function<void(int)> handler)
{
    QAction* a = action(name);
    connect(name, [a, handler = std::move(handler)] { handler(a->data().toInt()); });
}

}  // namespace indikt
