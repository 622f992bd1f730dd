#pragma once

/// Installs Qt's own Simplified-Chinese texts (the message box's 确定, the text
/// fields' 撤销 … 全选 menu), whatever the system's language: every other word
/// the window shows is Chinese too. Read from the program itself, not from disk.
/// Returns false when the compiled-in catalogue could not be loaded.
bool installQtTranslation();
