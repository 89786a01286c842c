#include "tools/command_table.h"

#include <algorithm>

#include "interface/input_limits.h"
#include "tools/conversion_commands.h"
#include "tools/diff_command.h"
#include "tools/edit_commands.h"
#include "tools/edit_script.h"
#include "tools/inspect_command.h"
#include "tools/ranges_command.h"
#include "tools/read_commands.h"
#include "tools/register_command.h"
#include "tools/upgrade_command.h"

namespace vrk::tools {
namespace {

constexpr char kGlobalUsage[] =
    "usage: vrkcfg [--lang en|ru] [--imperial] [--json] COMMAND [ARGS]\n"
    "       vrkcfg COMMAND --help | --help | --version\n";

constexpr Bilingual kCommandsHeading = {"Commands:", "Команды:"};

constexpr Bilingual kConventions = {
    "FILE may be - for standard input, and is a document or a binary image, told by its content; a file over\n"
    "%LIMIT% bytes is refused unread. OUT defaults to standard output; a file is replaced whole or not at all.\n"
    "PATH names an attribute from the root, for example Region_settings\\Hysteresis_percent; PATH\\ names an\n"
    "element and ends in a backslash. An INDEX selects an occurrence of each repeated element on the path:\n"
    "2 is the third occurrence, #3 the occurrence whose key value is 3.\n"
    "A command that writes a configuration checks it first: set, arrange and edit write nothing that fails\n"
    "the check (--force writes it); xml and upgrade write it and report the failure.\n"
    "Global options go anywhere before --. --json: the payload and any error as JSON on standard output,\n"
    "an error as {\"file\":..,\"error\":{\"message\":..,\"detail\":..}}.\n"
    "Exit codes: 0 success, 1 configuration or file error, 2 usage error (diff: 1 different, 2 any error).\n"
    "--lang en|ru chooses the language of messages; by default LC_ALL, LC_MESSAGES or LANG.\n",
    "FILE может быть - (стандартный ввод); это документ или двоичный образ, что определяется по содержимому;\n"
    "файл больше %LIMIT% байт не читается. OUT по умолчанию стандартный вывод; файл заменяется целиком или\n"
    "не меняется. PATH называет атрибут от корня, например Region_settings\\Hysteresis_percent; PATH\\ называет\n"
    "элемент и оканчивается обратной косой чертой. INDEX выбирает экземпляр каждого повторяющегося элемента\n"
    "пути: 2 - третий экземпляр, #3 - экземпляр со значением ключа 3.\n"
    "Команда, записывающая конфигурацию, сначала проверяет её: set, arrange и edit не записывают то, что не\n"
    "проходит проверку (--force записывает); xml и upgrade записывают и сообщают об ошибке.\n"
    "Общие параметры допустимы в любом месте до --. --json: результат и любая ошибка в виде JSON на\n"
    "стандартном выводе, ошибка как {\"file\":..,\"error\":{\"message\":..,\"detail\":..}}.\n"
    "Коды завершения: 0 успех, 1 ошибка конфигурации или файла, 2 ошибка вызова (diff: 1 различаются,\n"
    "2 любая ошибка). --lang en|ru выбирает язык сообщений; по умолчанию LC_ALL, LC_MESSAGES или LANG.\n"};

constexpr Bilingual kEditDetails = {
    "Commands, one per -e or per script line, run in the order given:\n"
    "%COMMANDS%"
    "Words are separated by blanks; \"...\" keeps blanks and backslashes, \"\" inside it is one double quote,\n"
    "and \"\" alone is an empty value. The backslash is an ordinary character. Lines starting with # are\n"
    "comments. All commands take effect or none: a failure names the command and writes nothing.\n"
    "--dry-run prints the values that would change, as diff does, and writes nothing.\n",
    "Команды, по одной на -e или на строку сценария, выполняются в заданном порядке:\n"
    "%COMMANDS%"
    "Слова разделяются пробелами; \"...\" сохраняет пробелы и обратные косые черты, \"\" внутри - одна\n"
    "двойная кавычка, \"\" отдельно - пустое значение. Обратная косая черта - обычный символ. Строки,\n"
    "начинающиеся с #, - комментарии. Выполняются все команды или ни одной: ошибка называет команду,\n"
    "и ничего не записывается. --dry-run печатает значения, которые изменятся, как diff, и ничего не пишет.\n"};

constexpr Bilingual kListDetails = {
    "Lines read PATH INDEX... = VALUE, in the form get and edit take; an element without attributes is\n"
    "listed by its path alone. Indexes left off select every occurrence.\n",
    "Строки имеют вид PATH INDEX... = VALUE, как их принимают get и edit; элемент без атрибутов выводится\n"
    "одним путём. Опущенные индексы выбирают все экземпляры.\n"};

constexpr Bilingual kRegistryDetails = {
    "The registry file is $VRK5420_REGISTRY_FILE, else $XDG_CONFIG_HOME/vrk5420/registry,\n"
    "else ~/.config/vrk5420/registry.\n",
    "Файл реестра - $VRK5420_REGISTRY_FILE, иначе $XDG_CONFIG_HOME/vrk5420/registry,\n"
    "иначе ~/.config/vrk5420/registry.\n"};

// `text` with `marker` replaced by `by`.
std::string Replaced(std::string text, std::string_view marker, std::string_view by) {
  if (const std::size_t at = text.find(marker); at != std::string::npos) text.replace(at, marker.size(), by);
  return text;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

std::string Details(const Command& command) {
  if (command.details == nullptr) return std::string();
  return Replaced(command.details->text(), "%COMMANDS%", kEditCommandsHelp.text());
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"new", "[-o OUT]", {"write the default configuration", "записать конфигурацию по умолчанию"}, NewCommand},
      {"get", "FILE PATH [INDEX...]", {"print one value", "вывести одно значение"}, GetCommand},
      {"set", "FILE PATH VALUE [INDEX...] [-o OUT] [--force]",
       {"change one value and write the configuration", "изменить одно значение и записать конфигурацию"},
       SetCommand},
      {"edit", "FILE [-e COMMAND]... [-f SCRIPT|-]... [-o OUT] [--dry-run] [--force]",
       {"run edit commands as one change and write the configuration",
        "выполнить команды правки как одно изменение и записать конфигурацию"},
       EditCommand, kConfigError, &kEditDetails},
      {"list", "FILE [PATH\\] [INDEX...]",
       {"print every value under an element, as get and edit take it",
        "вывести все значения под элементом в виде, который принимают get и edit"},
       ListCommand, kConfigError, &kListDetails},
      {"show", "FILE PATH\\ [INDEX...]", {"print the XML of an element", "вывести XML элемента"}, ShowCommand},
      {"count", "FILE PATH\\ [INDEX...]",
       {"print the number of occurrences of an element", "вывести число экземпляров элемента"}, CountCommand},
      {"ranges", "FILE PATH [INDEX...]",
       {"print the type, limits and dictionary of a value", "вывести тип, пределы и словарь значения"},
       RangesCommand},
      {"check", "FILE",
       {"check the whole configuration; prints OK", "проверить всю конфигурацию; выводит OK"}, CheckCommand},
      {"arrange", "FILE PATH\\ [INDEX...] [-o OUT] [--force]",
       {"sort the data of an element (linearisation points)", "упорядочить данные элемента (точки линеаризации)"},
       ArrangeCommand},
      {"bin", "FILE [-o OUT.bin] [--report]",
       {"write the binary image; prints its CRC-32 and what the image does not carry (--report: each value)",
        "записать двоичный образ; выводит его CRC-32 и то, чего образ не содержит (--report: каждое значение)"},
       BinCommand},
      {"xml", "FILE [-o OUT]",
       {"write the version-7 document a binary image (or document) holds",
        "записать документ версии 7, содержащийся в двоичном образе (или документе)"},
       XmlCommand},
      {"upgrade", "FILE [-o OUT] [--report]",
       {"write the version-7 document of a file of any version (--report: each value the upgrade changed)",
        "записать документ версии 7 из файла любой версии (--report: каждое изменённое значение)"},
       UpgradeCommand},
      {"inspect", "FILE.bin",
       {"print the tag tree of a binary image and check its CRC",
        "вывести дерево тегов двоичного образа и проверить его CRC"},
       InspectCommand},
      {"diff", "A B",
       {"print the values two configurations hold differently; exit 0 equal, 1 different",
        "вывести различающиеся значения двух конфигураций; код 0 - равны, 1 - различаются"},
       DiffCommand, kDiffError},
      {"register", "[LIBRARY]",
       {"register the converter library (default: the one beside vrkcfg)",
        "зарегистрировать библиотеку конвертора (по умолчанию ту, что рядом с vrkcfg)"},
       RegisterCommand, kConfigError, &kRegistryDetails},
      {"unregister", "[LIBRARY]",
       {"remove the converter library's registration", "удалить регистрацию библиотеки конвертора"},
       UnregisterCommand, kConfigError, &kRegistryDetails},
  };
  return commands;
}

const Command* FindCommand(const std::string& name) {
  const auto found = std::find_if(Commands().begin(), Commands().end(),
                                  [&](const Command& c) { return name == c.name; });
  return found == Commands().end() ? nullptr : &*found;
}

std::string NearestCommand(const std::string& word) {
  const Command* best = nullptr;
  std::size_t best_distance = 3;  // suggest only close misspellings
  for (const Command& command : Commands()) {
    const std::size_t distance = EditDistance(word, command.name);
    if (distance < best_distance) best = &command, best_distance = distance;
  }
  return best ? best->name : "";
}

std::string GeneralHelp() {
  std::string text = std::string(kGlobalUsage) + "\n" + kCommandsHeading.text() + "\n";
  for (const Command& command : Commands())
    text += std::string("  ") + command.name + " " + command.synopsis + "\n      " + command.description.text() + "\n";
  return text + "\n" + Replaced(kConventions.text(), "%LIMIT%", std::to_string(kMaxInputSize));
}

std::string CommandHelp(const Command& command) {
  return std::string("usage: vrkcfg ") + command.name + " " + command.synopsis + "\n" + command.description.text() +
         "\n" + Details(command);
}

}  // namespace vrk::tools
