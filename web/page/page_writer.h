#pragma once

#include <string>

// The page, written from the stored window (form/stored_form.h): Form1 with its title
// above the client area, every control at its stored place and size (15 twips are one
// CSS pixel at scale 1), in tab order, with its caption, font, colours, accessible name
// and hit area; the page's own message box; and the line shown by a browser without
// WebAssembly. The page's script binds it to the module.

struct PageParts {
    /// The one-file page: script, module and faces inline; no manifest, no service
    /// worker. Otherwise the site's index.html, which loads them as files beside it.
    bool singleFile = false;
    /// The page's script: inline in the one-file page, else only its file name.
    std::string script;
    std::string scriptFile = "rebar-weight.js";
    /// The module's file, which the site's head preloads.
    std::string moduleFile = "rebar-weight.wasm";
    /// The site's head script, written inline in its head: it takes up the module's
    /// bytes while the rest of the page comes. The one-file page has the module inline
    /// and needs none.
    std::string headScript;
    /// The module, base64, for the one-file page.
    std::string moduleBase64;
    /// Where the compiled-in faces come from: file names, or data: URLs.
    std::string songFontUrl = "rebar-song.ttf";
    std::string kaiFontUrl = "rebar-kai.ttf";
    /// The 32 × 32 icon, as a data: URL.
    std::string iconUrl;
    /// The one-file page carries the faces, and with them their licence's text.
    std::string facesLicence;
};

/// The window's frame around the client area, and the title bar, in twips.
constexpr int frameTwips = 15;
constexpr int titleBarTwips = 360;

/// The page's style sheet.
std::string writeStyle(const PageParts &parts);
/// The whole page; an empty string when it cannot be written (a hit area with no room,
/// or an inline script that would end its own element).
std::string writePage(const PageParts &parts);
