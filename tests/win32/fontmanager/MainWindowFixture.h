// A real main window of the font manager, created in the test's process over
// the prefix's registry and fonts, with its message boxes answered by the test.
#pragma once

#include "TestPrefix.h"

#include "fontmanager/MainForm.h"
#include "tests/win32/support/ModalScript.h"
#include "platform/forms/Application.h"
#include "platform/forms/ScreenCursor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"AppTools", "SampleSize", "TTFOnly"})
      RemoveValue(HKEY_CURRENT_USER, kSettingsKeyPath, name);
    RegisterTestRasterFonts();
  }

  void TearDown() override { form.reset(); }

  void CreateMainWindow() {
    form = std::make_unique<TfrmZel95>();
    form->Create();
    Pump();
  }

  static void Pump() { Application.ProcessMessages(); }

  // The texts of the rows, top to bottom.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < form->lbFonts.Count(); ++i) rows.push_back(form->lbFonts.Text(i));
    return rows;
  }

  int RowOf(const std::string& face) const {
    for (int i = 0; i < form->lbFonts.Count(); ++i)
      if (form->lbFonts.Text(i) == face) return i;
    return -1;
  }

  // The question the catalogue asks for a ".FON" entry whose file is missing.
  static std::string MissingFileQuestion(const std::string& entry, const std::string& path) {
    return "The registry contains the following invalid font entry: " + entry +
           " . The associated font file: " + path +
           " can not be found. Remove the entry from the registry ?";
  }

  FontsKeySnapshot fontsKey;
  ModalScript boxes{IDNO};
  std::unique_ptr<TfrmZel95> form;
};
