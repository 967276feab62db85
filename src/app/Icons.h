#pragma once
// The program's own icon, bundled with the program (no icon theme has it).

#include <QIcon>

QIcon ProgramIcon();
