#pragma once

#include "view/MenuModel.h"
#include "view/PaneLayout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class FileDialogs;
class Prompts;
class SettingsStore;

// The small interfaces through which the study view's state machine reaches the window.
// The Qt layer implements them with widgets; the headless session with plain memory.

// Modifier keys held when a command arrives.
struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// The font and colours applied to a text box. Colours are 0x00BBGGRR.
struct BoxFont {
    std::uint8_t charSet = 0;
    std::u16string face;
    // A logical-font height: negative for a character height in pixels.
    int height = -16;
    // Bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strikeout.
    std::uint32_t style = 0;
    std::uint32_t textColor = 0;
    std::uint32_t backColor = 0;

    // The box's character size in twips: height x -200 / 13, so -16 gives 246.
    int Twips() const { return height * -200 / 13; }
    bool operator==(const BoxFont&) const = default;
};

// One of the two rich-text boxes (Listen-and-Write, Original Text). Texts end their
// paragraphs with a carriage return (U+000D), as the boxes store them.
class TextBoxPort {
public:
    virtual ~TextBoxPort() = default;
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // Applies the font as the default format and sets the text again so all of it takes it.
    virtual void SetFont(const BoxFont& font) = 0;
    // The study's character set (the Original Text box's chooses the mask character).
    virtual void SetCharSet(std::uint8_t charSet) = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    // The selection in UTF-16 positions; start == end is the caret.
    virtual int SelectionStart() const = 0;
    virtual int SelectionEnd() const = 0;
    virtual void SetSelection(int start, int end) = 0;
};

// The sentence box. Its rows are the view's SentenceRows; the port only redraws them.
class SentenceListPort {
public:
    virtual ~SentenceListPort() = default;
    // Rows were added, removed or rebuilt.
    virtual void RowsChanged() = 0;
    virtual void SetCurSel(int row) = 0;
    virtual void RepaintRow(int row) = 0;
    // Invalidate, erase and update every row at once.
    virtual void RepaintAll() = 0;
    virtual void SetFont(const std::u16string& face, std::uint8_t charSet) = 0;
    virtual void SetShowRepeatCount(bool show) = 0;
};

// The skinned displays and buttons of the form.
class DisplayPort {
public:
    virtual ~DisplayPort() = default;
    // A byte offset shown as minutes and seconds; 0xFFFFFFFF blanks the display.
    virtual void SetTime(std::uint32_t value, std::uint32_t bytesPerSecond) = 0;
    virtual void SetCounter(int position, int count) = 0;
    virtual void SetRepetitions(int repetitions) = 0;
    virtual void SetInterval(int tenths) = 0;
    virtual void SetSpeed(int percent) = 0;
    virtual void SetVolume(int volume) = 0;
    // 20 levels of 0 to 16; empty clears the spectrum.
    virtual void SetSpectrum(std::span<const int> levels) = 0;
    // Pressed (toggle on) or released.
    virtual void SetButtonOn(int controlId, bool on) = 0;
    virtual void ShowButton(int controlId, bool visible) = 0;
};

// The choices of the font dialog.
struct FontChoice {
    std::u16string face;
    int height = -16;
    std::uint32_t style = 0;
    std::uint8_t charSet = 0;
};

// The two check boxes of the Compare Options dialog.
struct CompareChoice {
    bool caseSensitive = false;
    bool punctuation = false;
};

// The form itself and the frame around it.
class FormPort {
public:
    virtual ~FormPort() = default;
    // The client size and the skin's margins that the panes are laid out in.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual PaneMargins Margins() const = 0;
    virtual void SetPaneLayout(const PaneLayout& layout) = 0;
    // Repaint the whole form (background, frame pieces, separators).
    virtual void Repaint() = 0;
    // Shows a popup menu below a button (left-aligned, one pixel under its bottom edge);
    // the chosen command, or nothing when the menu was dismissed.
    virtual std::optional<int> PopupMenu(const MenuModel& menu, int belowControlId) = 0;
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
    virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) = 0;
    // The sentence padding in milliseconds (0 to 1,000 in steps of 50); nothing on Cancel.
    virtual std::optional<int> ChoosePadding(int ms) = 0;
    // The Compare Options dialog; nothing on Cancel.
    virtual std::optional<CompareChoice> ChooseCompareOptions(const CompareChoice& initial) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    // The window is minimised: nothing of the spectrum needs computing.
    virtual bool IsMinimized() const { return false; }
    virtual void OpenUrl(const std::string& url) = 0;
    // Posts a command to the view; it runs after the current command has returned.
    virtual void PostCommand(int id) = 0;
    // Sends a command to the frame and the application (new, open, help, recent files).
    virtual void SendFrameCommand(int id) = 0;
    // The recent-file list, most recent first.
    virtual std::vector<std::string> RecentFiles() const = 0;
};

// Playback the view reports to whoever watches it (the headless session prints it).
class ViewObserver {
public:
    virtual ~ViewObserver() = default;
    // The engine is asked to play this range (before it rounds to whole frames).
    virtual void OnPlayRange(std::uint32_t /*start*/, std::uint32_t /*end*/,
                             std::uint32_t /*interval*/, int /*rate*/) {}
    // The playback controller's Stop ran.
    virtual void OnStop() {}
    // The engine reported that its range has finished (WM_RANGE_FINISHED).
    virtual void OnRangeFinished() {}
};

// Everything the view is built on.
struct ViewPorts {
    SentenceListPort& list;
    TextBoxPort& listenWrite;
    TextBoxPort& original;
    DisplayPort& displays;
    FormPort& form;
    Prompts& prompts;
    FileDialogs& fileDialogs;
    SettingsStore& settings;
};
