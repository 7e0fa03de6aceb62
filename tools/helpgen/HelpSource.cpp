#include "tools/helpgen/HelpSource.h"

#include "fontcore/MessageTexts.h"

#include <set>
#include <sstream>

namespace {

class TSourceReader {
 public:
  THelpProject Project;

  void Line(int number, std::string line) {
    number_ = number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') return;
    if (line[0] == '@') return Directive(line);
    if (line.rfind("= ", 0) == 0) return Paragraph(TParagraphStyle::Heading, line.substr(2));
    if (line.rfind("- ", 0) == 0) return Paragraph(TParagraphStyle::Indented, line.substr(2));
    Paragraph(TParagraphStyle::Body, line);
  }

  void Finish() {
    if (Project.Topics.empty()) throw EHelpSource("the help has no topic");
    std::set<std::string> contexts;
    std::set<uint32_t> ids;
    for (const THelpTopic& topic : Project.Topics) {
      if (!contexts.insert(topic.Context).second)
        throw EHelpSource("topic " + topic.Context + " is defined twice");
      for (uint32_t id : topic.MapIds)
        if (!ids.insert(id).second)
          throw EHelpSource("number " + std::to_string(id) + " is mapped twice");
    }
    for (const THelpTopic& topic : Project.Topics)
      for (const THelpParagraph& paragraph : topic.Paragraphs)
        for (const THelpRun& run : paragraph.Runs)
          if (!run.JumpTo.empty() && !contexts.count(run.JumpTo))
            throw EHelpSource("topic " + topic.Context + " jumps to " + run.JumpTo +
                              ", which does not exist");
  }

 private:
  int number_ = 0;
  THelpParagraph* paragraph_ = nullptr;

  [[noreturn]] void Fail(const std::string& what) const {
    throw EHelpSource("line " + std::to_string(number_) + ": " + what);
  }

  THelpTopic& Topic() {
    if (Project.Topics.empty()) Fail("text before the first @topic");
    return Project.Topics.back();
  }

  void Directive(const std::string& line) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    std::string rest;
    std::getline(words >> std::ws, rest);
    if (name == "@title") {
      Project.Title = rest;
    } else if (name == "@topic") {
      const size_t blank = rest.find(' ');
      if (blank == std::string::npos) Fail("@topic needs a context string and a title");
      Project.Topics.push_back({rest.substr(0, blank), rest.substr(blank + 1), {}, {}});
      Paragraph(TParagraphStyle::Title, Project.Topics.back().Title);
    } else if (name == "@map") {
      std::istringstream ids(rest);
      for (uint32_t id; ids >> id;) Topic().MapIds.push_back(id);
      if (!ids.eof()) Fail("@map takes numbers");
    } else if (name == "@error" || name == "@verify" || name == "@info") {
      Paragraph(TParagraphStyle::Indented, Message(name, rest));
    } else {
      Fail("unknown directive " + name);
    }
  }

  std::string Message(const std::string& kind, const std::string& rest) const {
    std::istringstream words(rest);
    unsigned number = 0;
    if (!(words >> number) || number > 0xFFFF) Fail(kind + " needs a message number");
    std::string inserts;
    std::getline(words >> std::ws, inserts);
    const size_t bar = inserts.find('|');
    const std::string first = inserts.substr(0, bar);
    const std::string second = bar == std::string::npos ? "" : inserts.substr(bar + 1);
    try {
      const auto n = static_cast<uint16_t>(number);
      // The help names messages by the numbers the user sees in them.
      if (kind == "@error") return ErrorMessageText(static_cast<Msg::Error>(n), first);
      if (kind == "@verify") {
        return VerifyMessageText(static_cast<Msg::Verify>(n), first, second);
      }
      return InfoMessageText(static_cast<Msg::Info>(n));
    } catch (const EUndefinedMessage&) {
      Fail("the catalogue has no " + kind.substr(1) + " message " + std::to_string(number));
    }
  }

  void Paragraph(TParagraphStyle style, const std::string& text) {
    Topic().Paragraphs.push_back({style, {}});
    paragraph_ = &Topic().Paragraphs.back();
    size_t at = 0;
    while (at < text.size()) {
      const size_t open = text.find("[[", at);
      if (open == std::string::npos) break;
      const size_t close = text.find("]]", open);
      const size_t bar = text.find('|', open);
      if (close == std::string::npos || bar == std::string::npos || bar > close)
        Fail("a jump is written [[context|text]]");
      AddPlain(text.substr(at, open - at));
      paragraph_->Runs.push_back(
          {text.substr(bar + 1, close - bar - 1), text.substr(open + 2, bar - open - 2)});
      at = close + 2;
    }
    AddPlain(text.substr(at));
  }

  void AddPlain(const std::string& text) {
    if (text.empty()) return;
    paragraph_->Runs.push_back({text, ""});
  }
};

}  // namespace

THelpProject ParseHelpSource(const std::string& text) {
  TSourceReader reader;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) reader.Line(++number, line);
  reader.Finish();
  return reader.Project;
}
