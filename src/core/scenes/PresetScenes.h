#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TBasePropertySetter;

// The window's side of the preset scenes: what a preset may do besides queueing commands. The
// Qt window implements it with its buttons; the headless renderer with plain switches.
//
// Threads: every member is called in the user-interface thread (the renderer has only one).
class TPresetHost {
public:
    virtual ~TPresetHost() = default;

    // Appends a command to the queue; it takes effect at the next synchronized step.
    virtual void AddSetter(std::unique_ptr<TBasePropertySetter> setter) = 0;
    // Width and height of the frame surface the loop draws into; presets are centred on it.
    virtual int FrameWidth() const = 0;
    virtual int FrameHeight() const = 0;
    // Raises the display buttons and hides the filings tools (no bench switch changes).
    virtual void ResetDisplayButtons() = 0;
    // Presses a display button down without running its click handler.
    virtual void PressGridButton() = 0;
    virtual void PressFieldLinesButton() = 0;
    // Writes the bench's field-lines switch directly (the one switch a preset sets itself).
    virtual void SetBenchHasFieldLines(bool value) = 0;
};

// The three resets that the presets start with, and the update command.
void QueueUpdate(TPresetHost& host, bool useDoubleBuffer);
void ResetToEmpty(TPresetHost& host);
void ResetToGridOnly(TPresetHost& host, bool movement);
void ResetToFieldLinesOnly(TPresetHost& host, bool movement);

// The building blocks of several presets.
void PlaceWirePairs(TPresetHost& host, int count, int spacing, bool gridOnly, bool movement);
void PlaceMagnetPair(TPresetHost& host, bool opposite, bool parallel, bool movement);
void PlaceMotorScene(TPresetHost& host, bool movement);

// One entry of the preset menu, in menu order. A separator has the caption "-" and no scene.
struct TPresetEntry {
    std::string Name;    // the menu item's name, e.g. "BarMagnetsinlineOpposites1"
    std::string Caption; // the menu caption, exact
    void (*Build)(TPresetHost& host) = nullptr;

    bool IsSeparator() const { return Build == nullptr; }
};

// The sixteen scenes in four groups with the separators between them. The window appends its
// own last separator and "About".
const std::vector<TPresetEntry>& PresetMenuEntries();

// Runs the scene with exactly this caption; false when there is none.
bool RunPreset(TPresetHost& host, std::string_view caption);
