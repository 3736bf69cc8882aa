#pragma once
// What a dialog may ask of the main window when it stores its values.

#include "data/header_labels.h"

namespace pyx {

class DialogHost
{
public:
    virtual ~DialogHost() = default;
    virtual void showLabels(const HeaderLabels& labels) = 0;
    // Shows again the table the grid holds (record table or summary), from the model.
    virtual void showCurrentTable() = 0;
    // Draws again the curve on screen.
    virtual void refreshCurve() = 0;
    // The test has unsaved changes: flagged, and the save tool enabled.
    virtual void enableSave() = 0;
    // Writes the settings file. A failure is shown to the user; the values stay in effect
    // for this run. True when the file was written.
    virtual bool saveSettings() = 0;
};

} // namespace pyx
