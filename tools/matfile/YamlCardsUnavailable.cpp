#include "MaterialCard.h"
#include "YamlCardReader.h"

const bool kReadsYamlCards = false;

void readYamlCard(const std::string&, MaterialCard& card) {
  card.problem = "this matfile is built without a YAML reader (the Windows build), so it reads "
                 "only the INI form of material cards; import YAML cards with the native matfile";
}
