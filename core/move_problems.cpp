#include "core/move_problems.h"

#include "core/texts.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"

namespace {

std::string Line(const FailedMove& failed) {
    return texts::Fill(texts::kPassReportLine,
                       {failed.now, failed.target, MoveProblemText(failed.why)});
}

}  // namespace

MoveProblem ProblemOf(platform::MoveResult result) {
    switch (result) {
        case platform::MoveResult::Done:
            return MoveProblem::None;
        case platform::MoveResult::NotFound:
            return MoveProblem::NotFound;
        case platform::MoveResult::AccessDenied:
            return MoveProblem::InUseOrDenied;
        case platform::MoveResult::InvalidName:
            return MoveProblem::InvalidName;
        case platform::MoveResult::Other:
            break;
    }
    return MoveProblem::Other;
}

const char* MoveProblemText(MoveProblem problem) {
    switch (problem) {
        case MoveProblem::NotFound:
            return texts::kWhyMoveNotFound;
        case MoveProblem::InUseOrDenied:
            return texts::kWhyMoveInUseOrDenied;
        case MoveProblem::InvalidName:
            return texts::kWhyMoveInvalidName;
        case MoveProblem::NoTemporaryName:
            return texts::kWhyMoveNoTemporaryName;
        case MoveProblem::CaseUnchanged:
            return texts::kWhyMoveCaseUnchanged;
        case MoveProblem::WithAnother:
            return texts::kWhyMoveWithAnother;
        case MoveProblem::None:
        case MoveProblem::Other:
            break;
    }
    return texts::kWhyMoveOther;
}

void ShowMoveFailure(WindowHandle owner, const FailedMove& failed, const std::string& more) {
    ShowMessageBox(owner,
                   texts::Fill(texts::kMoveFailedOne,
                               {failed.now, failed.target, MoveProblemText(failed.why)}) +
                       more,
                   texts::kTitleRenameError, kMbIconError);
}

void ShowPassReport(WindowHandle owner, unsigned made, const std::vector<FailedMove>& failed,
                    unsigned retried) {
    if (failed.empty()) {
        return;
    }
    // Moves that went through only when tried again say why a pass took a moment longer.
    const std::string waited =
        retried == 0 ? std::string() : texts::Fill(texts::kPassRetried, {std::to_string(retried)});
    if (failed.size() == 1) {
        ShowMoveFailure(owner, failed[0], waited);
        return;
    }
    std::string text =
        texts::Fill(texts::kPassReport, {std::to_string(made), std::to_string(failed.size())});
    text += texts::FirstLines(failed.size(), texts::kNamedInReport,
                              [&](std::size_t i) { return Line(failed[i]); });
    text += waited;
    text += texts::kPassReportCopy;
    if (ShowMessageBox(owner, text, texts::kTitleRenameReport, kMbYesNo | kMbIconExclamation) !=
        kIdYes) {
        return;
    }
    std::string all;
    for (const FailedMove& one : failed) {
        all += Line(one);
    }
    platform::PutClipboardText(owner, all);
}
