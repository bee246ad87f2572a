#include "store/defaultsettings.h"

#include "model/color.h"

namespace {

constexpr bool on = true;
constexpr bool off = false;

constexpr DefaultSetting Defaults[] = {
    // court and team colours
    {"Border", "", on, rgb(0, 0, 112)},
    {"Court", "", on, rgb(24, 173, 247)},
    {"Threepoi", "", on, rgb(255, 255, 255)},
    {"Bucket", "", on, rgb(248, 248, 210)},
    {"Defense", "1", on, rgb(102, 102, 255)},
    {"Offense", "0", on, rgb(255, 255, 255)},
    {"Triangle", "", on, rgb(102, 102, 255)},
    {"Counter", "", on, 0},
    {"Speed", "", on, 20},
    // print group
    {"Rows", "", on, 0},
    {"A4", "", off, 0},
    {"Fontsize", "", on, 9},
    {"Quality", "", on, 2},
    {"Printmod", "", on, 3},
    {"Fullpage", "", off, 0},
    {"Abrush", "", off, 12},
    // default text font
    {"Fname1", "Arial", off, 0},
    {"Fname2", "", off, 0},
    {"Fcharset", "", off, 1},
    {"Fheight", "", off, -13},
    {"Fsize", "", off, 10},
    {"Fbold", "", off, 0},
    {"Fitalic", "", off, 0},
    {"Funder", "", off, 0},
    {"Fstrike", "", off, 0},
    {"Fcolor", "", off, 0},
    // editing, display and start-up
    {"Prevpos", "", off, 0},
    {"Prevline", "", off, 0},
    {"Backup", "", on, 0},
    {"Plugin", "", off, 0},
    {"Snap", "", off, 20},
    {"Htmlpng", "", on, 0},
    {"Oldprint", "", off, 0},
    {"Showall", "", off, 0},
    {"Automove", "", off, 0},
    {"Keepdown", "", off, 0},
    {"Antiexp", "", on, 0},
    {"Showhis", "", on, 0},
    {"Zfactor", "", off, 100},
    {"Antiexp2", "", off, 0},
    {"Antiexp3", "", off, 0},
    {"Headtext", "Playbook", on, 0},
    // HTML and PDF export
    {"Pdfcacon", "", on, 0},
    {"Pdfcahea", "", on, 0},
    {"Pdfcapag", "", off, 0},
    {"Pdfcapla", "", off, 0},
    {"Pdfcainc", "", off, 0},
    {"Pdfcaimg", "", off, 100},
    {"Htmcaone", "", on, 0},
    {"Htmcacon", "", on, 0},
    {"Htmcahea", "", on, 0},
    {"Htmcapla", "", off, 0},
    {"Htmcawid", "", on, 776},
    {"Pdfqucon", "", on, 0},
    {"Pdfquhea", "", on, 0},
    {"Pdfqucap", "", on, 0},
    {"Pdfqupag", "", off, 0},
    {"Pdfqupla", "", off, 0},
    {"Pdfquinc", "", off, 0},
    {"Pdfquimg", "", off, 100},
    {"Htmquone", "", on, 0},
    {"Htmqucon", "", on, 0},
    {"Htmquhea", "", on, 0},
    {"Htmqupla", "", off, 0},
    {"Htmquwid", "", on, 776},
    // animated GIF export
    {"Giftrans", "", on, 0},
    {"Gifloop", "", on, 1},
    {"Gifhtml", "", on, 0},
    {"Gifhead", "", on, 0},
    {"Gifplain", "", off, 0},
    {"Gifwidth", "", off, 776},
    {"Giffirst", "", off, 500},
    {"Gifnorma", "", off, 10},
    {"Gifsketc", "", off, 300},
    {"Giflast", "", off, 500},
    // movie export
    {"Swfbutto", "", on, rgb(24, 173, 247)},
    {"Swfhtml", "", on, 0},
    {"Swfhead", "", on, 0},
    {"Swfplain", "", off, 0},
    {"Swfwidth", "", off, 776},
    {"Swffirst", "", off, 500},
    {"Swfnorma", "", off, 10},
    {"Swfsketc", "", off, 300},
    {"Swflast", "", off, 500},
    // play-list printing and export
    {"Pqprevie", "", off, 0},
    {"Pqlstonl", "", off, 0},
    {"Pqshwhea", "", on, 0},
    {"Pqconten", "", on, 0},
    {"Pqcatnep", "", on, 0},
    {"Pqplanep", "", off, 0},
    {"Pqnewspa", "", off, 0},
    {"Pqcolpri", "", off, 2},
    {"Pqnotext", "", off, 0},
    {"pqhidepl", "", off, 0},
    {"pqimgqua", "", off, 2},
    {"Prprevie", "", off, 0},
    {"Prlstonl", "", off, 0},
    {"Prshwhea", "", on, 0},
    {"Prconten", "", off, 0},
    {"Prcatnep", "", on, 0},
    {"Prplanep", "", off, 0},
    {"Prnewspa", "", off, 0},
    {"Prcolpri", "", off, 2},
    {"Prnotext", "", off, 0},
    {"prhidepl", "", off, 0},
    {"primgqua", "", off, 2},
};

} // namespace

std::span<const DefaultSetting> defaultSettings()
{
    return Defaults;
}
