#pragma once

#include <string>

class CEarlarkMainView;
class HeadlessDisplays;
class HeadlessTextBox;

// The session's "state" line: the view's state, the boxes and the study's sentences as
// one JSON object with a fixed set of keys.
std::string SessionStateJson(const CEarlarkMainView& view, const HeadlessTextBox& listenWrite,
                             const HeadlessTextBox& original);
