// How long after the last change of a large document orvane-lsp publishes its diagnostics: the
// server is driven in-process as the editor drives it (open once, then single-line edits in the
// middle of the file), waiting out the debounce as its main loop does.
//   orvane_lsp_recheck FILE [EDITS]   (FILE: for example from orvane_make_input big.inp 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "server.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FILE [EDITS]\n", argv[0]);
    return 2;
  }
  using Clock = orvane::lsp::Server::Clock;
  using nlohmann::json;
  std::stringstream text;
  text << std::ifstream(argv[1], std::ios::binary).rdbuf();
  const std::string content = text.str();
  const auto lines = std::count(content.begin(), content.end(), '\n');
  const int edits = argc == 3 ? std::atoi(argv[2]) : 5;

  Clock::time_point published;
  std::size_t diagnostics = 0;
  orvane::lsp::Server server([&](const std::string& body) {
    const json message = json::parse(body);
    if (message.value("method", "") == "textDocument/publishDiagnostics") {
      published = Clock::now();
      diagnostics = message["params"]["diagnostics"].size();
    }
  });
  const auto send = [&](const json& message) { server.Receive(message.dump()); };
  send({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
  const auto opening = Clock::now();
  send({{"jsonrpc", "2.0"},
        {"method", "textDocument/didOpen"},
        {"params", {{"textDocument", {{"uri", "file:///big.inp"}, {"version", 1}, {"text", content}}}}}});
  server.CheckDue(Clock::now());
  std::printf("%ld lines, %zu bytes: open and first check %.3f s, %zu diagnostics\n", static_cast<long>(lines),
              content.size(), std::chrono::duration<double>(published - opening).count(), diagnostics);

  std::vector<double> seconds;
  for (int k = 0; k < edits; ++k) {
    // Types a digit into a line in the middle, as one keystroke arrives.
    const json position = {{"line", lines / 2 + k}, {"character", 0}};
    const auto changed = Clock::now();
    const json change = {{"range", {{"start", position}, {"end", position}}}, {"text", "1"}};
    const json document = {{"uri", "file:///big.inp"}, {"version", k + 2}};
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/didChange"},
          {"params", {{"textDocument", document}, {"contentChanges", json::array({change})}}}});
    std::this_thread::sleep_until(*server.NextCheck());
    server.CheckDue(Clock::now());
    seconds.push_back(std::chrono::duration<double>(published - changed).count());
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("last change to diagnostics published, %d edits: median %.3f s, worst %.3f s (%zu diagnostics)\n", edits,
              seconds[seconds.size() / 2], seconds.back(), diagnostics);
  return 0;
}
