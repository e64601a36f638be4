#pragma once

#include <string>

#include "Operator.h"

namespace ql {

// An operator for programs without a person at the keyboard (batch tools, benchmarks,
// fuzz targets): boxes are not shown and every question is answered OK or Yes.
class SilentOperator : public Operator {
 public:
  void Warning(const std::string&, const std::string&) override {}
  void Notice(const std::string&, const std::string&) override {}
  Answer Ask(const Question& question) override {
    return question.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
  }
};

}  // namespace ql
