#include "platform_mac/MacProcesses.h"

#include "platform_mac/AppleStrings.h"

#import <Foundation/Foundation.h>
#include <unistd.h>

namespace corvel::mac {

MacProcesses::MacProcesses(async::Executor& mainExecutor, std::shared_ptr<platform::SystemLog> log)
    : mainThread_(std::make_shared<ExecutorMailbox>(mainExecutor)), log_(std::move(log)) {}

MacProcesses::~MacProcesses() {
    mainThread_->close();
}

std::int32_t MacProcesses::currentProcessIdentifier() const {
    return getpid();
}

std::optional<std::int32_t> MacProcesses::launch(const std::string& executablePath,
                                                 const std::vector<std::string>& arguments) {
    NSMutableArray<NSString*>* taskArguments = [NSMutableArray array];
    for (const auto& argument : arguments)
        [taskArguments addObject:nsString(argument)];
    // Made before the launch: an end reported at once is kept for the waiter.
    auto exit = std::make_shared<async::Completion<int>>();
    std::shared_ptr<ExecutorMailbox> mainThread = mainThread_;
    NSError* error = nil;
    NSTask* task =
        [NSTask launchedTaskWithExecutableURL:[NSURL fileURLWithPath:nsString(executablePath)]
                                    arguments:taskArguments
                                        error:&error
                           terminationHandler:^(NSTask* ended) {
                             const int status = ended.terminationStatus;
                             mainThread->post([exit, status] { exit->complete(status); });
                           }];
    if (!task) {
        log_->write("Corvel: could not launch " + executablePath + ": " +
                    stdString(error.localizedDescription));
        return std::nullopt;
    }
    const std::int32_t pid = task.processIdentifier;
    std::lock_guard lock(mutex_);
    exits_[pid] = exit;
    return pid;
}

async::Task<int> MacProcesses::waitUntilExit(std::int32_t pid) {
    std::shared_ptr<async::Completion<int>> exit;
    {
        std::lock_guard lock(mutex_);
        if (auto found = exits_.find(pid); found != exits_.end()) {
            exit = found->second;
            exits_.erase(found);
        }
    }
    if (!exit)
        co_return -1;
    const int status = co_await exit->wait();
    co_return status;
}

} // namespace corvel::mac
