// The help window's topics, in list order.  '' is two apostrophes, as the texts have always
// been written.
#include "windows/HelpDlg.h"

#include "version.h"

const HelpTopic kHelpTopics[kHelpTopicCount] = {
    {"What is Kestrine?",
     "Kestrine is a customized multiplayer mission program that allows the Host Player to set "
     "up various types of skirmish battles for Ostravane.\nPlayers can choose between two "
     "teams, Team A or Team B and can have up to eight allied AI Team Ships on their "
     "side.\n\nThe Host can also designate ships, starbases, planets etc. for all Human Players "
     "by selecting the 'Host Selected' option or allow Human Players to select their own ships "
     "by choosing the 'Player Selected' option.\n\nAt the end of each match Kestrine will "
     "create a ''Kestrine Records.txt'' file on all user machines. This file will display all "
     "ship objects that were destroyed, disengaged, captured and remaining during the game. "
     "This feature makes Kestrine ideal for online Multiplayer Tournaments."},
    {"TOPIC - 'Kestrine's Output Files'",
     "FILE: 'QXData.DAT': Located on your main Ostravane directory.\nThis file stores your "
     "custom 'Game Sets'.\nYou can choose to delete an individual Game Set by clicking the "
     "'Delete Button' or delete the entire file. If the entire data file is deleted, Kestrine "
     "will re-generate a new one.\n\nFILE: 'Kestrine Startup.txt'\nLocated on your local 'C "
     "Drive'.\nIt displays Ship(s) ID and Start Positions used the game.\nFile is useful for "
     "pin pointing ships that do not show due to modeling errors.\n\nFILE: 'Kestrine "
     "Records.txt'. Located on your local 'C Drive'\nDisplays the stats for all Team Ships used "
     "in the game. This file makes Kestrine the best script to use for online multiplayer "
     "tournaments."},
    {"Drop Down Menu - ''Game Set''",
     "Use this control to enter the Custom Title for your Game Set\n\nExample: 'TEAM BASE "
     "ASSAULT'."},
    {"Edit Boxes - ''Player Team Ships - P1-P6''",
     "\n\nAdd ship destinations for Host Selected Player Teams.\nPlayer Team 1 - Player Team "
     "6.\n\n i.e ''N-QRE'' <- Will work.\n N-QRE <- Will not work."},
    {"Edit Boxes - ''AI Team A Ships - A1 - A8''",
     "\n\nAdd ship destinations for AI 'A Team' Ships."
     "\n\n i.e ''T-MWA'' <- Will work.\n T-MWA <- Will not work."},
    {"Edit Boxes - ''AI Team B Ships - B1 - B8''",
     "\n\nAdd ship destinations for AI 'B Team' Ships."
     "\n\n i.e ''D-H7'' <- Will work.\n D-H7 <- Will not work."},
    {"Drop Down Menu - ''Start Positions''",
     "\n\nSets the start position for a ship.\n\nNOTE: This must be set for all Ships added to "
     "the Game Set."},
    {"Check Box - ''Host Selected''",
     "\n\nEnables the Player Team Ship edit boxes allowing the Host to select Ships for all "
     "Human Team Players.\n\nNOTE: If this feature is 'checked' by the Host, ALL Players must "
     "'check' this feature as well and hit the 'PLAY' button from the dialog."},
    {"Check Box - ''Player Selected''",
     "\n\nDisables the Player Team Ship edit boxes allowing Human Team Players to select their "
     "own ships.\n\nNOTE: If this feature is 'checked' by the Host, ALL Players must 'check' "
     "this feature as well and hit the 'PLAY' button from the dialog."},
    {"Drop Down Menu - ''AI Difficulty''",
     "\n\nSets the AI Difficulty Level for the Game:\n\n     Captain: 'Easy'\n     Commodore:  "
     "'Average'\n     Admiral: 'Hard'"},
    {"Button - ''View Map''",
     "\n\nDisplays the Map and current positions of the ships\nthat are entered by the user."},
    {"Button - ''Ship Edit''",
     "\n\nExecutes the Ship Edit Program for easy viewing and quick selection of the Ship "
     "Objects located on the ShipList.txt."
     "\n\nShip Edit (RozeRavi39902v.exe) is a separate program,\nnot part of Kestrine; it is "
     "installed and credited on its own."},
    {"Button - ''Save''",
     "\n\nSaves the 'Game Set' for later use.\n\nNOTE: Always 'Save' your customized Game Set "
     "after any changes."},
    {"Button - ''Delete''",
     "\n\nDeletes a customized 'Game Set'.\n\nNOTE: If you wish to Delete all of your Game Sets "
     "simply delete the 'QXData.DAT' file located in your Kestrine folder."},
    {"Button - ''Play''", "\n\nSets your Game Set configuration for Ostravane game play."},
    {"Button - ''Close''",
     "\n\nCloses the Kestrine Dialog.''What else do you think it would do?.''"},
    {"Button - ''About''",
     "\n\n\nDisplays Kestrine Version and Author Info."
     "\nThe About window also has a VISIT button that opens the authors' web site."},
    {"TOPIC  ''Important Rules to Follow.''",
     " 1. Always 'Save' your 'Game Set' when you first create it and / or make any changes to "
     "it.\n2.Make sure that all Host Selected and Player Selected check options match with "
     "other players.\n3. Make sure that you enter the correct Ship Designations.\nAll ships "
     "must be in quotations.\n  i.e ''n-qrf'' <- Will not work.\n  ''QRF'' <- Will not Work\n  "
     "N-QRF <- Will not work.\n  ''N-QRF'' <- Will work.\n\n4. You must set the 'Start "
     "Positions' for ALL ships that you add in the edit boxes.\n5. Use Ship Edit to copy and "
     "paste ship designations this way you know for sure that the entries are correct."},
    {"TOPIC ''Developer Notes''",
     "\n\n " KESTRINE_FORM_CAPTION "."
     "\n\nWritten by the Kestrine developers.\nBuilt in C++ on the Win32 API with MinGW-w64 and "
     "CMake."},
};
