#pragma once

// The page of the readings of a day for the lectionary pane: the Old
// Testament readings, the Apostle, the Gospel, the link to the liturgical
// instructions and the portions of the home prayer rule, each reference made
// a link into the texts of the books in the chosen language.

#include "calendar/date.h"
#include "lectionary/readings.h"
#include "lectionary/tree_files.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace indikt {

// The language of the lectionary (tags 1..5); anything else is Slavonic.
enum class BibleLanguage { Slavonic = 1, CivilScript = 2, Russian = 3, Audio = 4, Video = 5 };
BibleLanguage BibleLanguageOfTag(int tag);

// The kinds of text whose references become links.
enum class ReadingKind {
    OldTestament = 1, Apostle = 2, Gospel = 3, AudioList = 4, VideoList = 5,
    RuleGospel = 6, RuleApostle = 7, RulePsalter = 8, RuleOldTestament = 9
};

// The versions the home rule chose for its books (the index of its version
// box). In Russian the Gospel and the Apostle link to Kassian's translation
// for index 3 and to the Synodal one otherwise; the Psalter to the Synodal
// one for index 2 and to Timrot's otherwise.
struct RuleVersions {
    int gospel = 0;
    int apostle = 0;
    int psalter = 0;
};

// `LexionarURL`: every reference "[title=target]" becomes a link to the
// book's page in the language, the text between copied unchanged. The scan
// moves forward only: a "[" without "=" or "]" is copied as it stands.
QString LexionarURL(const TreeFiles& files, const QString& text, ReadingKind kind, BibleLanguage language,
                    const RuleVersions& versions = {});

// `BUkasURL`: the address of the liturgical instructions of a day ("SBUkas"
// 0..3); empty for the years before 2007. `hosts` are the outside sites of
// sources 0, 1 and 2, set by the user in zk.ini ("BUkasHost0".."BUkasHost2");
// a source without its host gives no address.
struct InstructionHosts {
    QString general;  // source 0
    QString first;    // source 1
    QString second;   // source 2
};
QString BUkasURL(const TreeFiles& files, Date civil, int source, Date today, const InstructionHosts& hosts = {});

// The portions of the home prayer rule that the rule computes for the day.
struct HomeRulePortions {
    QString gospel, apostle, psalter, old_testament;
    RuleVersions versions;
};

struct LectionarySettings {
    BibleLanguage language = BibleLanguage::Slavonic;
    int instructions_source = 0;  // "SBUkas"
    InstructionHosts hosts;
};

struct LectionaryPage {
    QString html;             // the text inside the pane's page; empty when there is nothing to show
    QStringList files;        // the reading files found, Gospel, Apostle and Old Testament slots in turn
    QStringList found_commands;
    QStringList found_files;  // what each found command opens
    QString media_file;       // the media list of the audio or video language, relative
    bool media_exists = false;
    ReadingText gospel, apostle, old_testament;
};

// `Lexionariy`. `home_rule` gives the portions of the home rule for the day;
// without it (or when it gives nothing) the page has no home-rule part.
LectionaryPage Lexionariy(const TreeFiles& files, Date civil, Date today, const LectionarySettings& settings,
                          const std::function<HomeRulePortions(Date)>& home_rule = {});

}  // namespace indikt
