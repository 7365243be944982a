#include "app/data/RZSoundPlaces.h"

namespace RZSoundPlaces {

HFile soundFolder(const HFile& table) {
    if (table.isEmpty()) {
        return HFile();
    }
    const std::string game = table.parent().parent().fullPath();
    return game.empty() ? HFile() : HFile(game + "\\Music&Sound");
}

std::vector<Place> of(const HFile& chosen, const HFile& table, const HFile& stockTable,
                      const std::string& name) {
    const std::string fileName = name + ".wav";
    std::vector<Place> places;
    if (!chosen.isEmpty()) {
        places.push_back(Place{CHOSEN_FOLDER, HFile(chosen.directory() + "\\" + fileName)});
    }
    const HFile game = soundFolder(table);
    if (!game.isEmpty()) {
        places.push_back(Place{GAME, HFile(game.fullPath() + "\\" + fileName)});
    }
    const HFile stock = soundFolder(stockTable);
    if (!stock.isEmpty()) {
        places.push_back(Place{STOCK, HFile(stock.fullPath() + "\\" + fileName)});
    }
    return places;
}

} // namespace RZSoundPlaces
