#include "ui/recovery.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/history.h"
#include "core/journal_recovery.h"
#include "core/mbcs.h"
#include "core/pass_journal.h"
#include "core/path_name.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/app_paths.h"
#include "ui/app_context.h"
#include "ui/held_work.h"
#include "ui/list_view_pane.h"

namespace {

// A journal is input like any other: what it names is shown safely, whatever its bytes.
std::string Shown(const std::string& slashPath) {
    return mbcs::ReplaceAll(platform::ShownForm(slashPath), '/', '\\');
}

std::string NameOf(const std::string& slashPath) {
    return platform::ShownForm(SlashName(slashPath));
}

// The first few paths, one a line, then how many more.
std::string Listed(const std::vector<std::string>& lines, std::size_t most) {
    return texts::FirstLines(lines.size(), most, [&](std::size_t i) { return lines[i] + "\n"; });
}

std::string LeftLines(const journal::PutBackDone& done, std::size_t most) {
    return texts::FirstLines(done.left.size(), most, [&](std::size_t i) {
        return journal::ShownLeft(done.left[i]) + "\n";
    });
}

// One journal: nothing to ask when every file is in place already (a recovery cut short at its
// very end); else the files it would move are named, and those it will not touch counted.
void OfferOne(AppContext* c, const std::string& folder, LeftJournal* journal) {
    LeftJournal& left = *journal;
    const unsigned slot = left.Slot();
    std::vector<journal::ItemState> states;
    {
        // The window answers while every item's identity is read.
        RowBatch rows(c);
        states = journal::Review(left.What(), [](unsigned done, unsigned total) {
            window_port::ShowProgress(Work::Reviewing, done, total);
        });
    }
    std::vector<std::string> moving;
    std::vector<std::string> untouched;
    for (const journal::ItemState& item : states) {
        switch (item.where) {
            case journal::ItemState::Where::Moved:
                moving.push_back(texts::Fill(texts::kInterruptedMoving,
                                             {Shown(item.firstPath), NameOf(item.now)}));
                break;
            case journal::ItemState::Where::Gone:
            case journal::ItemState::Where::Foreign:
                untouched.push_back(Shown(item.firstPath));
                break;
            case journal::ItemState::Where::Back:
                break;
        }
    }
    std::vector<std::string> leftAlone;
    journal::PutBackDone done;
    if (moving.empty()) {
        // Nothing left to move: every start would show the same list and leave the journal, so
        // the user may end it here.
        if (left.PutBack(&leftAlone, nullptr, &done)) {
            history::MarkUndoFinished(folder, left.What(), done);
        } else {
            const std::string text = texts::Fill(texts::kNothingToPutBack,
                                                 {Shown(folder + "/" + journal::FileName(slot))}) +
                                     LeftLines(done, texts::kNamedInReport) +
                                     texts::kForgetNothingLeft;
            if (ShowMessageBox(c->mainWindow, text, texts::kTitleNotPutBack,
                               kMbYesNo | kMbIconExclamation | kMbDefButton2) == kIdYes &&
                left.Forget()) {
                history::MarkUndoFinished(folder, left.What(), done);
            }
        }
        return;
    }
    // An undo cut short is said as what it was: its moves go on to the names before the pass.
    std::string question = texts::Fill(left.What().undo ? texts::kInterruptedUndoQuestion
                                                        : texts::kInterruptedQuestion,
                                       {Shown(folder + "/" + journal::FileName(slot))}) +
                           Listed(moving, texts::kNamedInQuestion);
    if (!untouched.empty()) {
        question += texts::Fill(texts::kInterruptedUntouched, {std::to_string(untouched.size())});
    }
    question += texts::kInterruptedAsk;
    const int answer = ShowMessageBox(c->mainWindow, question, texts::kTitleInterrupted,
                                      kMbYesNoCancel | kMbIconQuestion);
    // Keeping the new names ends the question for good: asked once more, No unless chosen.
    if (answer == kIdCancel) {
        const std::string forget =
            texts::Fill(texts::kForgetJournal, {Shown(folder + "/" + journal::FileName(slot))});
        if (ShowMessageBox(c->mainWindow, forget, texts::kTitleForgetJournal,
                           kMbYesNo | kMbIconExclamation | kMbDefButton2) != kIdYes) {
            return;
        }
        // No file keeps a temporary name for good.
        const std::vector<std::string> given = journal::MoveOffTemporaryNames(left.What());
        if (left.Forget() && !left.What().undo) {
            // Kept in the history, so that the names kept can still be undone there. An undo
            // cut short is not: its pass stays in the history, to be undone again for the rest.
            history::Add(folder, PassRecord{PassKind::Kept, false,
                                            static_cast<std::int64_t>(std::time(nullptr)),
                                            history::MovedPart(left.What(), states, given)});
        }
        return;
    }
    if (answer != kIdYes) {
        return;
    }
    bool allBack;
    {
        RowBatch rows(c);
        allBack = left.PutBack(
            &leftAlone,
            [](unsigned k, unsigned n) { window_port::ShowProgress(Work::Recovering, k, n); },
            &done);
    }
    history::MarkUndoFinished(folder, left.What(), done);
    if (!allBack) {
        ShowMessageBox(c->mainWindow, texts::kNotPutBack + LeftLines(done, texts::kNamedInReport),
                       texts::kTitleNotPutBack, kMbIconExclamation);
    }
}

}  // namespace

void OfferToPutBack(AppContext* c) {
    const std::string folder = c->paths->IniFolder();
    // Paths handed over meanwhile wait until every file is back where it was.
    RunHeld(c, [&] {
        for (const auto& left : OpenLeftJournals(folder)) {
            OfferOne(c, folder, left.get());
        }
    });
}
