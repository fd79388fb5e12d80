#include "library_pages.h"

namespace indikt {

namespace {

constexpr LibraryPage kPages[kLibraryPageCount] = {
    {0, "ActionOpenSv", "Жития святых", "Жития святых\\Святцы\\svyatcy.htm", "Жития святых", 0},
    {1, "ActionOpenSvM", "Имена святых мужские", "Жития святых\\Святцы\\svyat_m.htm", "Жития святых", 0},
    {2, "ActionOpenSvG", "Имена святых женские", "Жития святых\\Святцы\\svyat_g.htm", "Жития святых", 0},
    {3, "ActionOpenIcoPB", "Иконы Пресвятой Богородицы", "Жития святых\\Святцы\\ikona.htm", "Жития святых", 0},
    {4, "ActionOpenURLPsalm", "Псалтирь", "Библия\\psalm\\index.html", "Псалтирь", 0},
    {5, "ActionOpenURLMolitv", "Молитвослов", "Богослужение\\Молитвослов\\index.htm", "Молитвослов", 0},
    {6, "ActionOpenURLLex", "Богослужебные тексты", "Богослужение\\index.html", "Богослужебные чтения", 0},
    {7, "ActionOpenKovchegBiblia1", "на церковнославянском", "/UCS/index.htm", "", 1},
    {8, "ActionOpenKovchegBiblia2", "в синодальном переводе", "/LOGIC/index.htm", "", 1},
    {9, "ActionOpenKovchegBiblia3", "на греческом (UBS)", "/UBS/index.htm", "", 1},
    {10, "ActionOpenKovchegBiblia4", "на греческом (LXX)", "/LXX/index.htm", "", 1},
    {11, "ActionOpenKovchegBiblia5", "Симфония на Библию", "/SYMPHONY/index.htm", "", 1},
    {12, "ActionOpenKovchegBiblia6", "Толковая Библия", "/TOLK/index.htm", "", 1},
    {13, "ActionOpenKovchegText1", "Минея на церковнославянском", "/MINEYA/index.htm", "", 1},
    {14, "ActionOpenKovchegText2", "Библиотека", "/LIBRARY/index.htm", "", 1},
    {15, "ActionOpenKovchegText3", "Всенощное бдение и Литургия", "/bogosluzhenie/liturgiya/index.shtml", "", 2},
    {16, "ActionOpenKovchegText4", "Лекционарий", "/bogosluzhenie/lekcionariy/index.shtml", "", 2},
    {17, "ActionOpenKovchegText5", "Молитвослов", "/bogosluzhenie/molitvoslov/index.shtml", "", 2},
    {18, "ActionOpenKovchegText6", "Октоих воскресный", "/bogosluzhenie/oktoih/index.shtml", "", 2},
    {19, "ActionOpenKovchegText7", "Праздничная минея", "/bogosluzhenie/mineia/index.shtml", "", 2},
    {20, "ActionOpenKovchegText8", "Псалтирь", "/bogosluzhenie/psalm/index.shtml", "", 2},
    {21, "ActionOpenKovchegText9", "Служебник", "/bogosluzhenie/slugebnik/index.shtml", "", 2},
    {22, "ActionOpenKovchegText10", "Требник", "/bogosluzhenie/trebnik/index.shtml", "", 2},
    {23, "ActionOpenKovchegText11", "Триодь постная", "/bogosluzhenie/triod_postnaya/index.shtml", "", 2},
    {24, "ActionOpenKovchegText12", "Триодь цветная", "/bogosluzhenie/triod_tsvetnaya/index.shtml", "", 2},
    {25, "ActionOpenKovchegText13", "Часослов", "/bogosluzhenie/chasoslov/index.shtml", "", 2},
    {26, "ActionOpenKovchegText14", "Приложение к часослову", "/bogosluzhenie/chasoslov_prilozhenie/index.shtml", "", 2},
    {27, "ActionOpenURLBeibl", "Библия", "Библия\\index.html", "Библия", 0},
    {28, "ActionOpenURLLibrary", "Библиотека", "index.html", "Библиотека", 0},
};

}  // namespace

const LibraryPage* LibraryPages() { return kPages; }

const LibraryPage* LibraryPageOfTag(int tag) { return tag >= 0 && tag < kLibraryPageCount ? &kPages[tag] : nullptr; }

}  // namespace indikt
