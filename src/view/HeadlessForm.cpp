#include "view/HeadlessForm.h"

std::optional<int> HeadlessForm::PopupMenu(const MenuModel& menu, int /*belowControlId*/) {
    lastMenu = menu;
    std::optional<int> choice = menuChoice;
    menuChoice.reset();
    return choice;
}

void HeadlessForm::SendFrameCommand(int id) {
    if (onFrameCommand) {
        onFrameCommand(id);
    }
}

bool HeadlessForm::TakePosted(int& id) {
    if (posted.empty()) {
        return false;
    }
    id = posted.front();
    posted.pop_front();
    return true;
}
