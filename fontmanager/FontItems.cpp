#include "FontItems.h"

#include <windows.h>

int TNonTTFFonts::IndexOf(const std::string& face) const {
  for (size_t i = 0; i < faces_.size(); ++i)
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, faces_[i].Name.c_str(), -1,
                       face.c_str(), -1) == CSTR_EQUAL)
      return static_cast<int>(i);
  return -1;
}

void TNonTTFFonts::Add(const std::string& face, const std::string& entry) {
  const int index = IndexOf(face);
  if (index < 0)
    faces_.push_back(Face{face, {entry}});
  else
    faces_[index].Entries.push_back(entry);
}
