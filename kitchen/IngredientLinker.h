#pragma once

#include "kitchen/FoodMatcher.h"
#include "kitchen/GramConversion.h"
#include "kitchen/IngredientLine.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class Database;

// A link exactly as the ingredient dialog's link button stores one.
struct IngredientLink {
    std::int32_t ndbNo = 0;                // NDB_No
    bool byGram = true;                    // NDB_ByGram
    double quantity = 0;                   // NDB_Quantity: grams, or how many of the measure
    std::optional<std::int32_t> weightId;  // NDB_Weight_ID: the measure shown, in either mode
    double weightInGram = 0;               // WeightInGram
    QString measure;                       // the measure's description, as the dialog shows it
};

struct LinkProposal {
    IngredientLine line;
    std::vector<FoodCandidate> candidates; // best first
    std::optional<IngredientLink> link;    // for the first candidate, or the food chosen
    QString reason;                        // how the grams were found, or why there is no link
    bool confident = false;                // good enough to link a pasted line unasked
};

// The one door the dialogs use: reads a line, finds its foods and proposes a link
// "In Grams" when the line gives a mass, otherwise "By Measure" when one of the
// food's measures fits the line, otherwise "In Grams" with converted grams.
class IngredientLinker {
public:
    explicit IngredientLinker(const Database& foods);

    LinkProposal propose(const QString& line);
    // The same line linked to another food, the user's choice among the candidates or any other.
    LinkProposal proposeFor(const LinkProposal& proposal, std::int32_t ndbNo);
    // Builds the matcher's index now (it is otherwise built on the first proposal).
    void prepare();

private:
    void link(LinkProposal& proposal, const FoodCandidate& food);
    // The foods for one of the line's choices, linked to the best when there is one.
    void proposeFood(LinkProposal& proposal, const QString& foodWords);
    void proposeMatch(LinkProposal& proposal, const QString& query, const QString& foodWords);
    QStringList choices(const QString& food);

    const Database& foods_;
    FoodMatcher matcher_;
};
