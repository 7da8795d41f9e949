// What reading a folder of cards costs before any reader's own work: every
// card file opened and read whole as the import reads it, then the same again
// with libyaml's event parser run over each, as no reader of the YAML form
// can do less. The folder is listed first and not timed. Prints the best of
// two runs of each in seconds, the times an import of the folder is held
// against.
//
//     yaml_card_floor FOLDER
#include <yaml.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool isCard(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".fcmat";
}

std::string fileBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  std::fclose(file);
  return bytes;
}

void parse(const std::string& bytes) {
  yaml_parser_t parser;
  yaml_parser_initialize(&parser);
  yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char*>(bytes.data()),
                               bytes.size());
  for (bool more = true; more;) {
    yaml_event_t event;
    if (yaml_parser_parse(&parser, &event) == 0) break;
    more = event.type != YAML_STREAM_END_EVENT;
    yaml_event_delete(&event);
  }
  yaml_parser_delete(&parser);
}

double bestSeconds(const std::vector<std::string>& cards, bool parsed) {
  double best = -1;
  for (int run = 0; run < 2; ++run) {
    auto start = std::chrono::steady_clock::now();
    for (const std::string& card : cards) {
      std::string bytes = fileBytes(card);
      if (parsed) parse(bytes);
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (best < 0 || took.count() < best) best = took.count();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: yaml_card_floor FOLDER\n");
    return 2;
  }
  std::vector<std::string> cards;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[1])) {
    if (entry.is_regular_file() && isCard(entry.path())) cards.push_back(entry.path().string());
  }
  std::printf("%.3f %.3f\n", bestSeconds(cards, false), bestSeconds(cards, true));
  return 0;
}
