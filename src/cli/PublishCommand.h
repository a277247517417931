#pragma once

#include "cli/Commands.h"

// publish [--open SETTINGS] OUTPUT (--site NAME | --host HOST [--port N] [--user USER]
//   [--protocol ftp|ftps|ftps-implicit|sftp] [--passive|--active]) [--remote-folder DIR]
//   [--trust FINGERPRINT]
// Writes the output set as save does and uploads it as the Remote Server window does. The
// password of --host comes from TICKERINE_PASSWORD only. Exit 0 only when every file arrived.
inline const char* const PublishUsage =
    "[--open SETTINGS] OUTPUT (--site NAME | --host HOST [--port N] [--user USER] "
    "[--protocol ftp|ftps|ftps-implicit|sftp] [--passive|--active]) [--remote-folder DIR] [--trust "
    "FINGERPRINT]";
int PublishCommand(CliContext& context, const QStringList& args);
