#include "skin/SkinControlSet.h"

#include "skin/CSkin.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinObjects.h"

SkinControlSet::SkinControlSet(const CSkin& skin, QWidget* parent) : QObject(parent), m_skin(skin) {
    for (const SkinButtonObject& entry : skin_objects::kButtons) {
        auto* button = new CSkinButton(skin, parent);
        int id = entry.controlId;
        connect(button, &CSkinButton::clicked, this, [this, id] { emit commandTriggered(id); });
        m_buttons[id] = button;
    }
    for (const SkinDisplayObject& entry : skin_objects::kDisplays) {
        m_displays[entry.controlId] = new CSkinDisplay(skin, parent);
    }
}

int SkinControlSet::ApplySkin() {
    int failures = 0;
    auto apply = [&](auto& target, int objectNumber) {
        if (m_skin.ApplySkinObject(target, objectNumber) < 0) {
            ++failures;
        }
    };
    for (const SkinButtonObject& entry : skin_objects::kButtons) {
        apply(*m_buttons.at(entry.controlId), entry.objectNumber);
    }
    for (const SkinDisplayObject& entry : skin_objects::kDisplays) {
        CSkinDisplay& display = *m_displays.at(entry.controlId);
        apply(display, entry.displayNumber);
        apply(display, entry.glyphStrip);
        apply(display, entry.contentArea);
    }
    return failures;
}

CSkinButton* SkinControlSet::Button(int controlId) const {
    auto it = m_buttons.find(controlId);
    return it == m_buttons.end() ? nullptr : it->second;
}

CSkinDisplay* SkinControlSet::Display(int controlId) const {
    auto it = m_displays.find(controlId);
    return it == m_displays.end() ? nullptr : it->second;
}
