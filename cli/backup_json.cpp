#include "backup_json.h"

#include "cli.h"
#include "json.h"

#include "backup/backup_engine.h"

#include <QFileInfo>

namespace indikt::cli {

const char* const kBackupUsage =
    "usage: indikt-cli backup copy|get|sync DIR [--components LIST | --all] [--rule RULE] [--data-root ROOT]\n"
    "LIST   comma-separated: bible,service,lives,icons,notes,menaion,settings,memo\n"
    "       (default notes,settings,memo)\n"
    "RULE   copy and get: delete (default: each component is replaced whole),\n"
    "       replace (same-named files are overwritten); sync: newer (default), replace\n";

namespace {

const char* OutcomeName(ComponentOutcome outcome)
{
    switch (outcome) {
    case ComponentOutcome::Done: return "done";
    case ComponentOutcome::Cancelled: return "cancelled";
    case ComponentOutcome::Failed: return "failed";
    }
    return "";
}

void AppendStrings(std::string& out, std::string_view key, const QStringList& values)
{
    AppendJsonKey(out, key);
    std::vector<std::string> texts;
    for (const QString& value : values)
        texts.push_back(value.toStdString());
    AppendJsonStringArray(out, texts);
}

void AppendBool(std::string& out, std::string_view key, bool value)
{
    AppendJsonKey(out, key);
    out += value ? "true" : "false";
}

int Usage(std::ostream& err, const std::string& message)
{
    err << "indikt-cli: " << message << '\n' << kBackupUsage;
    return kExitBadArgument;
}

}  // namespace

int RunBackupCommand(const std::vector<std::string>& arguments, const std::string& default_data_root,
                     std::ostream& out, std::ostream& err)
{
    BackupRequest request;
    std::vector<std::string> words;
    std::string data_root = default_data_root;
    std::string rule;
    bool components_given = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool has_value = i + 1 < arguments.size() && !arguments[i + 1].empty();
        if (argument == "--data-root") {
            if (!has_value)
                return Usage(err, "--data-root needs a folder");
            data_root = arguments[++i];
        } else if (argument == "--components") {
            if (!has_value)
                return Usage(err, "--components needs a list");
            components_given = true;
            for (const QString& name : QString::fromStdString(arguments[++i]).split(',', Qt::SkipEmptyParts)) {
                const std::optional<BackupComponent> component = ComponentOfName(name.trimmed());
                if (!component)
                    return Usage(err, "unknown component '" + name.toStdString() + "'");
                request.components.push_back(*component);
            }
        } else if (argument == "--all") {
            request.all = true;
        } else if (argument == "--rule") {
            if (!has_value)
                return Usage(err, "--rule needs delete, replace or newer");
            rule = arguments[++i];
        } else if (argument.starts_with("--")) {
            return Usage(err, "unknown option " + argument);
        } else {
            words.push_back(argument);
        }
    }
    if (words.size() != 2)
        return Usage(err, "backup takes an operation and a folder");
    if (words[0] == "copy")
        request.operation = BackupOperation::Copy;
    else if (words[0] == "get")
        request.operation = BackupOperation::Get;
    else if (words[0] == "sync")
        request.operation = BackupOperation::Sync;
    else
        return Usage(err, "unknown backup operation '" + words[0] + "'");
    const bool sync = request.operation == BackupOperation::Sync;
    if (rule.empty())
        request.rule = sync ? ClashRule::Newer : ClashRule::Delete;
    else if (rule == "replace")
        request.rule = ClashRule::Replace;
    else if (rule == "delete" && !sync)
        request.rule = ClashRule::Delete;
    else if (rule == "newer" && sync)
        request.rule = ClashRule::Newer;
    else
        return Usage(err, "rule '" + rule + "' does not apply to " + words[0]);
    if (!components_given && !request.all)
        request.components = {BackupComponent::Notes, BackupComponent::Settings, BackupComponent::Memo};

    // Folders typed in a shell are taken from its working folder.
    request.data_root = QFileInfo(QString::fromStdString(data_root)).absoluteFilePath();
    request.folder = QFileInfo(QString::fromStdString(words[1])).absoluteFilePath();
    request.safety_root = DefaultSafetyRoot();
    request.now = QDateTime::currentDateTime();

    const BackupReport report = RunBackup(request);
    std::string text = "{";
    AppendJsonKey(text, "operation", true);
    AppendJsonString(text, words[0]);
    AppendJsonKey(text, "archive");
    AppendJsonString(text, report.archive_folder.toStdString());
    AppendBool(text, "success", report.success());
    AppendBool(text, "refused", report.refused);
    AppendBool(text, "cancelled", report.cancelled);
    AppendJsonKey(text, "message");
    AppendJsonString(text, report.message.toStdString());
    AppendJsonKey(text, "components");
    text += '[';
    for (std::size_t i = 0; i < report.components.size(); ++i) {
        if (i)
            text += ',';
        text += '{';
        AppendJsonKey(text, "name", true);
        AppendJsonString(text, ComponentName(report.components[i].component).toStdString());
        AppendJsonKey(text, "outcome");
        AppendJsonString(text, OutcomeName(report.components[i].outcome));
        text += '}';
    }
    text += ']';
    AppendJsonKey(text, "files_copied");
    AppendJsonInt(text, report.files_copied);
    AppendJsonKey(text, "failed");
    text += '[';
    for (std::size_t i = 0; i < report.failed.size(); ++i) {
        if (i)
            text += ',';
        text += '{';
        AppendJsonKey(text, "path", true);
        AppendJsonString(text, report.failed[i].path.toStdString());
        AppendJsonKey(text, "reason");
        AppendJsonString(text, report.failed[i].reason.toStdString());
        text += '}';
    }
    text += ']';
    AppendStrings(text, "missing", report.missing_messages);
    AppendStrings(text, "skipped", report.skipped);
    AppendStrings(text, "conflicts", report.conflicts);
    AppendJsonKey(text, "safety_copy");
    AppendJsonString(text, report.safety_copy.toStdString());
    AppendJsonKey(text, "changed");
    text += '{';
    AppendJsonKey(text, "settings", true);
    text += report.changes.settings ? "true" : "false";
    AppendBool(text, "memo", report.changes.memo);
    AppendBool(text, "sob", report.changes.sob);
    AppendBool(text, "bookmarks", report.changes.bookmarks);
    AppendBool(text, "notes", report.changes.notes);
    text += "}}\n";
    out << text;
    out.flush();
    if (!out)
        return kExitOutputFailed;
    return report.success() ? kExitOk : kExitBackupFailed;
}

}  // namespace indikt::cli
