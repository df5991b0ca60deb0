// The checks a name must pass before it becomes an edit name: one name on its own, and the
// imported lines together, against each other and against the disk.

#include "exchange/name_check.h"

#include <string>
#include <vector>

#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/target_check.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace {}  // namespace

bool IsValidName(const std::string& name, bool showMessage) {
    return IsValidName(name, showMessage, nullptr);
}

bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner) {
    return IsValidFileName(name, showMessage, owner, GetInitialBool(kIdUseExtension));
}

int CheckNewNames(const RenameList& list, const std::vector<std::string>& lines) {
    WindowHandle owner = window_port::Owner();
    const std::size_t n = lines.size() < list.Count() ? lines.size() : list.Count();
    std::vector<PathName> candidates;
    candidates.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        candidates.push_back(list.At(static_cast<unsigned>(i)).CandidatePath(lines[i]));
    }
    std::vector<const PathName*> targets;
    for (const PathName& candidate : candidates) {
        targets.push_back(&candidate);
    }
    // Illegal characters are the import's own name check's (DlgFNisWrong); the pass checks the
    // names again after their conversion.
    std::vector<unsigned> inTheWay;
    PlaceIndex onDisk;
    const TargetProblem problem = CheckTargets(list, targets, true, &inTheWay, &onDisk);
    switch (problem.kind) {
        case TargetProblem::Kind::None:
            return 0;
        case TargetProblem::Kind::CannotBeMade:
        case TargetProblem::Kind::Duplicate:
        case TargetProblem::Kind::SameFile:
            ShowMessageBox(owner, NameProblemText(problem, targets), texts::kTitleBadName,
                           kMbIconError | kMbOk);
            break;
        case TargetProblem::Kind::Occupied:
            ShowMessageBox(owner, texts::kNamesCollide, texts::kTitleBadName, kMbIconError | kMbOk);
            break;
    }
    return 1;
}
