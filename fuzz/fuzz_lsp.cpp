// The language server fed a stream of framed messages after its initialize: whatever the bytes, it
// answers in valid JSON and never stops. Documents are checked after every message, not after a
// pause, so that every change is checked.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "server.h"
#include "transport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using orvane::lsp::FrameReader;
  const std::string initialize = orvane::lsp::Frame(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
  std::string stream = initialize + std::string(reinterpret_cast<const char*>(data), size);
  std::size_t position = 0;
  FrameReader reader([&](char* buffer, std::size_t wanted) {
    const std::size_t taken = std::min(wanted, stream.size() - position);
    std::memcpy(buffer, stream.data() + position, taken);
    position += taken;
    return taken;
  });
  orvane::lsp::Server server([](const std::string& body) {
    if (nlohmann::json::parse(body, nullptr, false).is_discarded()) {
      std::abort();
    }
  });
  std::string body;
  for (FrameReader::Status status; (status = reader.Next(body)) != FrameReader::Status::kEnd && !server.Exited();) {
    if (status == FrameReader::Status::kMessage) {
      server.Receive(body);
    } else {
      server.ReceiveBroken("broken");
    }
    server.CheckDue(orvane::lsp::Server::Clock::time_point::max());
  }
  return 0;
}
