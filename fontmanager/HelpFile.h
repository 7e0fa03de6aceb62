// Where the program's help file lies: beside the executable.
#pragma once

#include <string>

// The help file every window of the program opens.
std::string HelpFilePath();
