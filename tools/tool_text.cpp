#include "tools/tool_text.h"

#include "platform/oleauto.h"

namespace vrk::tools {
namespace {

struct Texts {
  const char* english;
  const char* russian;
};

// In the order of Say.
constexpr Texts kTexts[] = {
    {"cannot be read", "не удаётся прочитать"},
    {"is a directory, not a configuration file", "это каталог, а не файл конфигурации"},
    {"is larger than %1 bytes, far more than any configuration; not read",
     "больше %1 байт, намного больше любой конфигурации; не прочитан"},
    {"cannot be written", "не удаётся записать"},
    {"standard output", "стандартный вывод"},
    {"the image does not load again", "образ не загружается обратно"},
    {"the result does not pass the check, nothing written (--force writes it)",
     "результат не проходит проверку, ничего не записано (--force записывает его)"},
    {"written, but it does not pass the check", "записано, но не проходит проверку"},
    {"OK", "OK"},
    {"unknown command '%1'", "неизвестная команда '%1'"},
    {"did you mean '%1'?", "может быть, '%1'?"},
    {"unknown option '%1'", "неизвестный параметр '%1'"},
    {"see 'vrkcfg %1--help'", "см. 'vrkcfg %1--help'"},
    {"usage", "использование"},
    {"bad index '%1' (a position such as 2, or a key such as #3)",
     "неверный индекс '%1' (позиция, например 2, или ключ, например #3)"},
    {"index out of range '%1'", "индекс вне диапазона '%1'"},
    {"only one input can be standard input (-)", "только один вход может быть стандартным вводом (-)"},
    {"--json goes with --report", "--json используется вместе с --report"},
    {"%1 needs a value", "%1 требует значения"},
    {"--lang takes en or ru, not '%1'", "--lang принимает en или ru, а не '%1'"},
    {"line %1", "строка %1"},
    {"unknown edit command '%1'", "неизвестная команда правки '%1'"},
    {"takes on or off", "принимает on или off"},
    {"bad offset '%1' (a whole number such as -1 or 2)", "неверное смещение '%1' (целое число, например -1 или 2)"},
    {"a double quote is not closed", "не закрыта двойная кавычка"},
    {"when the edit closed", "при завершении правки"},
    {"no such element", "такого элемента нет"},
    {"upgraded from version %1", "обновлено с версии %1"},
    {"the converter component cannot be created", "не удаётся создать компонент конвертора"},
    {"out of memory", "недостаточно памяти"},
    {"internal error: %1", "внутренняя ошибка: %1"},
    {"vrkcfg %1", "vrkcfg %1"},
    {"an element path ends in a backslash: '%1'", "путь к элементу оканчивается обратной косой чертой: '%1'"},
};

static_assert(std::size(kTexts) == static_cast<std::size_t>(Say::kElementPathNeeded) + 1, "one text per id");

constexpr LANGID kRussian = 1049;

}  // namespace

const char* Bilingual::text() const { return GetThreadUILanguage() == kRussian ? russian : english; }

std::string Text(Say id, std::string_view arg) {
  const Texts& texts = kTexts[static_cast<std::size_t>(id)];
  std::string text = Bilingual{texts.english, texts.russian}.text();
  if (const std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, arg);
  return text;
}

}  // namespace vrk::tools
