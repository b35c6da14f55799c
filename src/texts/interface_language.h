#pragma once
// The interface's language, chosen once when the program starts. The program is written in
// Polish; every other language comes from the translations built into it
// (translations/hygrometer_<language>.ts, compiled by lrelease), so a language is added
// by adding its file.

#include <QTranslator>
#include <memory>

enum class InterfaceLanguage { Polish, English };

// Puts the texts of `language` in place for as long as it lives; one at a time. Create it
// before the first text is made (before the window).
class InterfaceTranslator {
  public:
    explicit InterfaceTranslator(InterfaceLanguage language);
    ~InterfaceTranslator();
    InterfaceTranslator(const InterfaceTranslator&) = delete;
    InterfaceTranslator& operator=(const InterfaceTranslator&) = delete;

    // False when the translation of a language other than Polish could not be loaded.
    bool Loaded() const { return loaded_; }

  private:
    std::unique_ptr<QTranslator> translator_;
    bool loaded_ = true;
};
