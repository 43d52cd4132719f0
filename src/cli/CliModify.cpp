// kelvane-cli modify: the modify dialog's rules applied to the listed rows.
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "cli/CliRowCommand.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLModify.h"
#include "output/ZOLModifySong.h"
#include "records/ZOLFieldCatalogue.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli modify [options] --set KEY=VALUE [--set KEY=VALUE]... FOLDER\n"
    "  Sets the hand-kept values of every listed row as the modify dialog does: an empty VALUE\n"
    "  leaves the field, a VALUE of blanks clears it (numbers become 0), any other VALUE\n"
    "  replaces it (without blanks at both ends). The folders' data files are written.\n"
    "  Keys, style mode: STYLE_TYPE STYLE_SUBTYPE AUTHOR AUX RANK MY_RANK ORIG_MODEL KBD_MODEL\n"
    "  USAGE; midi mode: SONG ARTIST AUTHOR AUX RANK MY_RANK KEYBOARD STYLE_USED USAGE\n"
    "  PERFORMER UPLOADDATE. A STYLE_TYPE or STYLE_SUBTYPE (midi: SONG, ARTIST) that differs\n"
    "  beyond case is stored and marks the ANALYSER value as set by hand. RANK and MY_RANK\n"
    "  take a number of 0 or more (\"012\" is octal, as in the dialog).\n"
    "  With --songs the listed songs are changed as the song dialog does, keys SONG_TITLE\n"
    "  GENRE KEYWORD1 KEYWORD2 TEMPO (32..280) TIME_SIG (n/m, 0..16) -- these mark a song \"Not\n"
    "  in style file\" and can be changed only when a listed song is so already -- and\n"
    "  SONG_TITLE_R SONG_TITLE_NAT ARTIST.\n"
    "%s"
    "  Prints \"modified N records\" (or songs). Exit status: 0 done, 1 refused (read-only\n"
    "  medium) or failed, 2 bad usage, an unknown key or a refused value (its message on\n"
    "  standard error), 130 stopped by Ctrl-C.\n";

struct ModifyOptions {
    RowCommandOptions rows;
    std::vector<std::pair<std::string, std::string>> sets;
};

int ParseOptions(int argc, char** argv, ModifyOptions& options) {
    const std::string usage = RowCommandUsage(kUsage);
    const int read = ReadCommandArgs(
        argc, argv, {"modify", usage}, options.rows.folder.operands, [&](ArgCursor& args) {
            std::string value;
            if (!args.Value("--set", value)) {
                return TakeRowCommandArg(args, options.rows) ? OptionTaken::Yes : OptionTaken::No;
            }
            const size_t equals = value.find('=');
            if (!args.Failed() && (equals == std::string::npos || equals == 0)) {
                std::fprintf(stderr, "kelvane-cli modify: --set takes KEY=VALUE\n");
                return OptionTaken::Refused;
            }
            if (!args.Failed()) {
                options.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
            }
            return OptionTaken::Yes;
        });
    if (read != 0) {
        return read;
    }
    if (options.sets.empty()) {
        std::fputs(usage.c_str(), stderr);
        return kExitUsage;
    }
    return 0;
}

// The field texts by id of the dialog's fields; false with the unknown key in `error`.
template <class Texts, size_t N>
bool FieldTexts(const ModifyOptions& options, CatalogueKind kind, const std::array<int, N>& allowed,
                bool (*shown)(int), Texts& texts, std::string& error) {
    for (const auto& [key, value] : options.sets) {
        const int id = FieldIdByKey(key, kind);
        if (std::find(allowed.begin(), allowed.end(), id) == allowed.end() || !shown(id)) {
            error = key;
            return false;
        }
        texts[static_cast<size_t>(id)] = value;
    }
    return true;
}

bool AlwaysShown(int) {
    return true;
}

int ModifyRecords(const ModifyOptions& options, const CliSession& session) {
    ModifyFieldTexts texts{};
    std::string error;
    if (!FieldTexts(options, CatalogueKind::Current, kModifyFieldIds, ModifyFieldShown, texts,
                    error)) {
        session.Complain("not a field of the modify dialog: " + error);
        return kExitUsage;
    }
    CZOLModifyLogic logic;
    const DialogOkResult result = logic.Ok(texts);
    if (!result.close) {
        return kExitUsage;
    }
    if (result.status == 0) {
        std::printf("modified %zu records\n", logic.Records().size());
    }
    return ExitStatusOf(result.status, session);
}

int ModifySongs(const ModifyOptions& options, const CliSession& session) {
    SongFieldTexts texts{};
    std::string error;
    if (!FieldTexts(options, CatalogueKind::Song, kSongDialogFieldIds, AlwaysShown, texts, error)) {
        session.Complain("not a field of the song dialog: " + error);
        return kExitUsage;
    }
    CZOLModifySongLogic logic;
    if (!logic.InFileFieldsEnabled()) {
        for (int id : {kSongFieldTitle, kSongFieldGenre, kSongFieldKeyword1, kSongFieldKeyword2,
                       kSongFieldTempo, kSongFieldTimeSig}) {
            if (!texts[static_cast<size_t>(id)].empty()) {
                session.Complain(std::string("every listed song is in its style file: ") +
                                 FieldKey(id, CatalogueKind::Song) + " cannot be changed");
                return kExitUsage;
            }
        }
    }
    const DialogOkResult result = logic.Ok(texts);
    if (!result.close) {
        return kExitUsage;
    }
    if (result.status == 0) {
        std::printf("modified %ld songs\n", ListViewMgr().SelectedCount());
    }
    return ExitStatusOf(result.status, session);
}

int ModifySelection(ModifyOptions& options, CliSession& session) {
    if (const int ready = PrepareRows(session, options.rows); ready != kExitOk) {
        return ready;
    }
    CCliQuestionBoxes boxes(options.rows.yes, stdin);
    ScopedUserDialogs installed(&boxes);
    switch (CheckModifyCommand()) {
        case ModifyTarget::ModifyDialog:
            return ModifyRecords(options, session);
        case ModifyTarget::SongDialog:
            return ModifySongs(options, session);
        case ModifyTarget::None:
            break;
    }
    return ListViewMgr().SelectedCount() == 0 ? kExitOk : kExitFailure;
}

}  // namespace

int RunModifyCommand(int argc, char** argv) {
    return RunCommand("modify", argc, argv, ModifyOptions{}, ParseOptions, ModifySelection);
}

}  // namespace kelvane::cli
