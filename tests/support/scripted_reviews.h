#pragma once

#include <deque>
#include <vector>

#include "base/write_review.h"

namespace lumo::test {

// Answers the reviews before writes from a script, Cancel once it runs out, and keeps
// each review it was shown.
struct ScriptedReviews {
    std::deque<ReviewAnswer> answers;
    std::vector<WriteReview> reviews;

    ReviewAnswer operator()(const WriteReview& review) {
        reviews.push_back(review);
        if (answers.empty()) {
            return ReviewAnswer::Cancel;
        }
        const ReviewAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace lumo::test
