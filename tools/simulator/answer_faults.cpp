#include "simulator/answer_faults.h"

#include <string_view>
#include <vector>

namespace kelvra::simulator {

namespace {

constexpr std::string_view kGarbage = "#%&*@!$~gjqwxyz";

// Some of the positions, at least one when there are any.
std::vector<size_t> Pick(const std::vector<size_t>& positions, std::mt19937& random) {
  std::vector<size_t> picked;
  std::bernoulli_distribution coin(0.5);
  for (size_t position : positions) {
    if (coin(random))
      picked.push_back(position);
  }
  if (picked.empty() && !positions.empty())
    picked.push_back(positions[random() % positions.size()]);
  return picked;
}

}  // namespace

std::optional<std::string> AnswerFaults::Apply(std::string answer, bool textInterface) {
  if (drops_ > 0) {
    --drops_;
    return std::nullopt;
  }
  if (garbles_ > 0) {
    --garbles_;
    return textInterface ? GarbleText(std::move(answer), random_)
                         : GarbleBinary(std::move(answer), random_);
  }
  return answer;
}

std::string GarbleText(std::string answer, std::mt19937& random) {
  const size_t end = answer.ends_with('>') ? answer.size() - 1 : answer.size();
  std::vector<size_t> positions;
  for (size_t i = 0; i < end; ++i) {
    if (answer[i] != '\r' && answer[i] != '\n' && answer[i] != ' ')
      positions.push_back(i);
  }
  for (size_t position : Pick(positions, random))
    answer[position] = kGarbage[random() % kGarbage.size()];
  return answer;
}

std::string GarbleBinary(std::string answer, std::mt19937& random) {
  const bool frame = answer.size() > 2 && answer[0] == '\x02' && answer[1] != '\0';
  std::vector<size_t> positions;
  for (size_t i = frame ? 2 : 0; i < answer.size(); ++i)
    positions.push_back(i);
  std::uniform_int_distribution<int> change(1, 255);  // never 0: every picked byte changes
  for (size_t position : Pick(positions, random))
    answer[position] = static_cast<char>(answer[position] ^ change(random));
  return answer;
}

}  // namespace kelvra::simulator
