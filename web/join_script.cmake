# Joins the page's script parts, in the given order, into one script in one function
# scope: cmake -DOUTPUT=<file> -DPARTS=<part;part;...> -P join_script.cmake
set(script "// 钢筋重量计算: the page's script, joined from web/site/ at build time.\n(function () {\n\"use strict\";\n")
foreach(part IN LISTS PARTS)
    file(READ "${part}" text)
    get_filename_component(name "${part}" NAME)
    string(APPEND script "\n// ---- ${name}\n${text}")
endforeach()
string(APPEND script "})();\n")
file(WRITE "${OUTPUT}" "${script}")
