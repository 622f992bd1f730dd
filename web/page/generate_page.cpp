// Writes the page at build time, from the stored window:
//   rebar-page <script.js> <head-script.js> <module.wasm> <icon.png> <song.ttf> <kai.ttf>
//   <ARPHICPL.TXT> <index.html> <one-file.html>
// index.html loads the script, the module and the faces as files beside it, the module
// asked for by the head script written inline in its head; the one-file page carries
// them inline.

#include "page_text.h"
#include "page_writer.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

std::optional<std::string> readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFile(const char *path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 10) {
        std::cerr << "usage: rebar-page <script.js> <head-script.js> <module.wasm> <icon.png> "
                     "<song.ttf> <kai.ttf> <ARPHICPL.TXT> <index.html> <one-file.html>\n";
        return 2;
    }
    const auto script = readFile(argv[1]);
    const auto headScript = readFile(argv[2]);
    const auto module = readFile(argv[3]);
    const auto icon = readFile(argv[4]);
    const auto song = readFile(argv[5]);
    const auto kai = readFile(argv[6]);
    const auto licence = readFile(argv[7]);
    if (!script || !headScript || !module || !icon || !song || !kai || !licence) {
        std::cerr << "rebar-page: cannot read an input\n";
        return 1;
    }

    PageParts site;
    site.iconUrl = "data:image/png;base64," + base64(*icon);
    PageParts oneFile = site;
    site.headScript = *headScript;
    oneFile.singleFile = true;
    oneFile.script = *script;
    oneFile.moduleBase64 = base64(*module);
    oneFile.songFontUrl = "data:font/ttf;base64," + base64(*song);
    oneFile.kaiFontUrl = "data:font/ttf;base64," + base64(*kai);
    oneFile.facesLicence = *licence;

    const std::string index = writePage(site);
    const std::string single = writePage(oneFile);
    if (index.empty() || single.empty()) {
        std::cerr << "rebar-page: the stored window leaves a control no room for its hit "
                     "area, or a script or the licence holds </script\n";
        return 1;
    }
    if (!writeFile(argv[8], index) || !writeFile(argv[9], single)) {
        std::cerr << "rebar-page: cannot write the page\n";
        return 1;
    }
    return 0;
}
