#include "window_fonts.h"

#include "resource_ids.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace {

int CALLBACK noteFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0; // one answer is enough
}

// Whether Windows has a family of this name with Simplified-Chinese characters. It asks
// about that family alone: walking every GB2312 family costs tens of milliseconds at
// start. (GetTextFaceW on a made font would not do: it gives back the requested name for
// a substituted face.)
bool isInstalled(HDC screen, const wchar_t *family)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = GB2312_CHARSET;
    lstrcpynW(wanted.lfFaceName, family, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The first installed face of `wanted`; else the compiled-in face, registered for this
// process only (it never shows to other programs and is gone when the program ends).
std::wstring pickFace(std::initializer_list<const wchar_t *> wanted, HINSTANCE instance,
                      int resource, const wchar_t *standIn)
{
    HDC screen = GetDC(nullptr);
    const wchar_t *installed = nullptr;
    for (const wchar_t *face : wanted) {
        if (isInstalled(screen, face)) {
            installed = face;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    if (installed)
        return installed;
    if (HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource), RT_RCDATA)) {
        DWORD fonts = 0;
        if (HGLOBAL loaded = LoadResource(instance, found))
            AddFontMemResourceEx(LockResource(loaded), SizeofResource(instance, found), nullptr,
                                 &fonts);
    }
    return standIn;
}

bool isKai(FontKind kind)
{
    return std::u16string_view(storedFont(kind).face) == u"华文新魏";
}

int weightOf(FontKind kind)
{
    return storedFont(kind).bold ? FW_BOLD : FW_NORMAL;
}

} // namespace

WindowFonts::WindowFonts(HINSTANCE instance)
    // Each face under its Chinese and its English family name; a Windows in another
    // language lists the English one.
    : m_song(pickFace({L"宋体", L"SimSun", L"新宋体", L"NSimSun"}, instance, IDR_SONG_FACE,
                      L"Rebar Song")),
      m_kai(pickFace({L"华文新魏", L"STXinwei", L"楷体", L"KaiTi"}, instance, IDR_KAI_FACE,
                     L"Rebar Kai"))
{}

Font WindowFonts::make(const std::wstring &face, float points, int weight) const
{
    const int height = -static_cast<int>(std::lround(points * static_cast<float>(m_dpi) / 72.0f));
    return Font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

void WindowFonts::rebuild(UINT dpi)
{
    m_dpi = dpi;
    for (FontKind kind : {FontKind::Window, FontKind::Calculate, FontKind::Result, FontKind::Exit})
        m_byKind[kind] =
            make(isKai(kind) ? m_kai : m_song, storedFont(kind).points, weightOf(kind));
    for (const auto [control, points] : m_points)
        setPoints(control, points);
}

void WindowFonts::setPoints(Control control, float points)
{
    const FontKind kind = storedControl(control).font;
    m_points[control] = points;
    m_byControl[control] = make(isKai(kind) ? m_kai : m_song, points, weightOf(kind));
}

HFONT WindowFonts::fontOf(Control control) const
{
    const auto own = m_byControl.find(control);
    if (own != m_byControl.end())
        return own->second.get();
    return m_byKind.at(storedControl(control).font).get();
}

bool WindowFonts::hasPoints(Control control, float points) const
{
    const auto set = m_points.find(control);
    return set != m_points.end() && set->second == points;
}
