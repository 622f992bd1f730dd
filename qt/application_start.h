#pragma once

#include <QString>

/// Everything the application needs before its first window is built: its name and
/// version, and stand-ins for the window's Chinese font faces where those are not
/// installed (every Linux machine, and many Windows ones for 华文新魏).
void prepareApplication(const QString &version);

/// The stand-in faces, most wanted first, registered by prepareApplication.
void registerFontSubstitutes();
