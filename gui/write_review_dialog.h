// "Changes to be written": what a write will change on the radio, asked before it is sent.
#pragma once

#include <QString>
#include <QWidget>

#include "base/write_review.h"

namespace lumo {

// Shows the review of a write of `what` ("table", "settings") and the user's answer.
ReviewAnswer askWriteReview(QWidget* parent, const WriteReview& review, const QString& what);

}  // namespace lumo
