// orvane-lsp: the language server over standard input and output. One thread reads and frames
// messages; the main thread handles them in order and checks each changed document once its
// changes have paused.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "server.h"
#include "transport.h"

namespace {

using orvane::lsp::FrameReader;
using orvane::lsp::Server;

// What the reading thread hands over: a message's body, a broken message, or the end.
struct Item {
  FrameReader::Status status;
  std::string body;
};

class Queue {
 public:
  void Push(Item item) {
    {
      const std::lock_guard lock(mutex_);
      items_.push_back(std::move(item));
    }
    ready_.notify_one();
  }
  // The next item, waiting for one at most until `deadline` when one is given.
  std::optional<Item> Pop(std::optional<Server::Clock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    const auto any = [this] { return !items_.empty(); };
    if (deadline) {
      ready_.wait_until(lock, *deadline, any);
    } else {
      ready_.wait(lock, any);
    }
    if (items_.empty()) {
      return std::nullopt;
    }
    Item item = std::move(items_.front());
    items_.pop_front();
    return item;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Item> items_;
};

std::size_t ReadInput(char* buffer, std::size_t size) {
#ifdef _WIN32
  const int got = _read(0, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 20)));
#else
  const ssize_t got = read(0, buffer, size);
#endif
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

constexpr const char* kUsage =
    "usage: orvane-lsp [--stdio]\n"
    "The Orvane language server: speaks the Language Server Protocol over standard input and output.\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("orvane-lsp %s\n", ORVANE_LSP_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--stdio") != 0) {
      std::fputs(kUsage, std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
      return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
    }
  }
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  Queue queue;
  // The reading thread is never joined: it may sit in a read when the session ends, so the process
  // ends without waiting for it.
  std::thread([&queue] {
    FrameReader reader(ReadInput);
    for (;;) {
      Item item{FrameReader::Status::kEnd, {}};
      item.status = reader.Next(item.body);
      const bool end = item.status == FrameReader::Status::kEnd;
      queue.Push(std::move(item));
      if (end) {
        return;
      }
    }
  }).detach();

  Server server([](const std::string& body) {
    const std::string framed = orvane::lsp::Frame(body);
    std::fwrite(framed.data(), 1, framed.size(), stdout);
    std::fflush(stdout);
  });
  for (;;) {
    const auto due = server.NextCheck();
    if (std::optional<Item> item = queue.Pop(due)) {
      switch (item->status) {
        case FrameReader::Status::kMessage:
          server.Receive(item->body);
          break;
        case FrameReader::Status::kBadHeader:
          server.ReceiveBroken("a message header without a usable Content-Length was passed over");
          break;
        case FrameReader::Status::kTooLarge:
          server.ReceiveBroken("a message larger than the server takes was passed over");
          break;
        case FrameReader::Status::kEnd:
          std::fflush(stdout);
          std::_Exit(server.ExitCode());
      }
      if (server.Exited()) {
        std::fflush(stdout);
        std::_Exit(server.ExitCode());
      }
    }
    server.CheckDue(Server::Clock::now());
  }
}
