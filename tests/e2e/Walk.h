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
    ~Walk()
    {
        if (!notChecked_.empty()) ADD_FAILURE() << "not checked after the failure above:" << notChecked_;
    }

    template <class Step>
    void operator()(const char* name, Step step)
    {
        if (testing::Test::HasFatalFailure()) {
            notChecked_ += std::string(" \"") + name + '"';
            return;
        }
        SCOPED_TRACE(name);
        try {
            step();
        } catch (const std::exception& error) {
            [&] { FAIL() << error.what(); }();  // a fatal failure, which ends the walk
        }
    }

private:
    std::string notChecked_;
};

}  // namespace e2e
