#pragma once

#include "gdi_object.h"
#include "stored_form.h"

#include <map>
#include <string>

// The fonts of the window at one DPI, one owner for all of them. The faces are picked
// once: 宋体 and 华文新魏 where Windows has them, else the compiled-in stand-ins,
// registered for this process only.
class WindowFonts {
public:
    explicit WindowFonts(HINSTANCE instance);

    /// Makes every font again for `dpi`, keeping sizes set by setPoints().
    void rebuild(UINT dpi);
    /// Gives one control its own size of its font (Combo1's list is 10 points).
    void setPoints(Control control, float points);
    HFONT fontOf(Control control) const;
    /// Whether setPoints() gave the control this size already.
    bool hasPoints(Control control, float points) const;

    const std::wstring &songFace() const { return m_song; }
    const std::wstring &kaiFace() const { return m_kai; }

private:
    Font make(const std::wstring &face, float points, int weight) const;

    std::wstring m_song;
    std::wstring m_kai;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::map<FontKind, Font> m_byKind;
    std::map<Control, float> m_points;
    std::map<Control, Font> m_byControl;
};
