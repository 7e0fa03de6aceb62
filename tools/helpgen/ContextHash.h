// The number a help file files a topic's context string under.
#pragma once

#include <cstdint>
#include <string>

// Letters (either case), digits, '.' and '_' count; other characters do not.
int32_t ContextHash(const std::string& context);
