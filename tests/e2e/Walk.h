// The named steps of an end-to-end walk, run in order. A step that throws (a
// window that never came) or fails an ASSERT ends the walk: the steps after it
// are not run, and the walk names them as not checked, so that one failure
// never hides what else went unseen.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace e2e {

class Walk {
public:
    Walk() = default;
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;
    ~Walk()
    {
        if (!notChecked_.empty()) ADD_FAILURE() << "not checked after the failure above:" << notChecked_;
    }

    template <class Step>
    void operator()(const char* name, Step step)
    {
        if (ended_ || testing::Test::HasFatalFailure()) {
            ended_ = true;
            notChecked_ += std::string(" \"") + name + '"';
            return;
        }
        SCOPED_TRACE(name);
        try {
            step();
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
            ended_ = true;
        }
    }

private:
    bool ended_ = false;
    std::string notChecked_;
};

}  // namespace e2e
