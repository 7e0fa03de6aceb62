// The `glimmora` command line over the codec layer:
//   glimmora info FILE...
//   glimmora convert FILE --to bmp|jpg [-o OUT] [--fit WxH]
//                    [--screen-depth 8|16|24] [--reduce 0..4]
// Returns the exit status: 0 success, 1 a file failed, 2 wrong usage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunGlimmora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
