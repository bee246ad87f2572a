#!/usr/bin/env python3
"""Writes initwplays.bak, the sample plays offered on a first start.

Usage: make_samples.py [--qvb FOLDER]
The backup goes next to this script; with --qvb each play is also written as
an exchange file into FOLDER, so that quorvane-cli can dump and render it.

Sketch coordinates: the sketch is 289 x 361. Players are given by their
centre; a player's cell is 22 x 22 with its top-left corner stored.
"""

import argparse
import math
import os

# Courts (Graphicnr of the court part).
HALF_POOL = 3   # colour half pool, goal at the top
WHOLE_POOL = 5  # colour whole pool
WATER = {HALF_POOL: (23, 66, 265, 306), WHOLE_POOL: (41, 15, 248, 346)}

LEVELS = {"Court": 0, "line": 6000, "Ball": 5000, "symbol": 4000}
LINE_CODES = {"loop", "ploop", "pass", "ppass", "dribbel", "pdribbel", "shot", "pshot"}

RTF_HEAD = ("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
            "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs20 ")
BULLET_START = "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720 "
BULLET_NEXT = "{\\pntext\\f1\\'B7\\tab}"


def rtf_escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) > 127:
            out.append("\\'%02x" % ch.encode("cp1252")[0])
        else:
            out.append(ch)
    return "".join(out)


def inline(text):
    """*word* is bold."""
    parts = text.split("*")
    out = []
    for i, part in enumerate(parts):
        if i % 2:
            out.append("\\b " + rtf_escape(part) + "\\b0 ")
        else:
            out.append(rtf_escape(part))
    return "".join(out)


def rich_text(paragraphs, bullets=(), after=()):
    """Paragraphs, then an optional bulleted list, then closing paragraphs,
    laid out as the rich edit control writes them."""
    lines = [inline(text) + "\\par" for text in paragraphs]
    for i, text in enumerate(bullets):
        lines.append((BULLET_START if i == 0 else BULLET_NEXT) + inline(text) + "\\par")
    for i, text in enumerate(after):
        lines.append(("\\pard " if i == 0 and bullets else "") + inline(text) + "\\par")
    body = "\r\n".join(lines)
    return RTF_HEAD + body + "\r\n}\r\n"


class Sketch:
    """One sequence: a court, then symbols, the ball and lines."""

    def __init__(self, play, court):
        self.play = play
        self.water = WATER[court]
        self.parts = []
        self.add("Court", court, 0, 0, 0, 0, tag=play.tag("court"))

    def add(self, kind, graphicnr, x1, y1, x2, y2, tag):
        if kind == "Court" or kind == "Ball":
            level = LEVELS[kind]
        elif kind in LINE_CODES:
            level = LEVELS["line"]
        else:
            level = LEVELS["symbol"]
        self.parts.append(dict(Graphicnr=graphicnr, type=kind, x1=x1, y1=y1, x2=x2, y2=y2,
                               thickness=1 if kind in LINE_CODES else 0,
                               tagnr=tag, level=level))

    def in_water(self, x, y, margin=0):
        left, top, right, bottom = self.water
        assert left + margin <= x <= right - margin and top + margin <= y <= bottom - margin, (x, y)

    def player(self, kind, number, centre):
        """A player at its size as the palette drops it (y2 100 %)."""
        x, y = centre
        self.in_water(x, y, margin=11)
        self.add(kind, number, round(x) - 11, round(y) - 11, 0, 100, tag=self.play.tag((kind, number)))

    def attackers(self, positions):
        for number, centre in positions.items():
            self.player("Circle", number, centre)

    def defenders(self, positions):
        for number, centre in positions.items():
            self.player("Triangle", number, centre)

    def ball(self, centre):
        x, y = centre
        self.in_water(x, y, margin=3)
        self.add("Ball", 0, round(x - 10.5), round(y - 10.5), 0, 100, tag=self.play.tag("ball"))

    def ball_at(self, holder, left=False):
        self.ball(ball_beside(holder, left))

    def line(self, code, points, gap_start=12, gap_end=12):
        """A run through points: every segment but the last is the plain code
        ("loop"), the last its end form ("ploop"). The first point and the last
        are pulled in by the gaps so that a line starts at a player's edge and
        its arrow stops short of the target's."""
        points = [list(p) for p in points]
        points[0] = shorten(points[0], points[1], gap_start)
        points[-1] = shorten(points[-1], points[-2], gap_end)
        tag = self.play.tag(None)
        end_code = code if code.startswith("p") else "p" + code
        for i in range(len(points) - 1):
            kind = end_code if i == len(points) - 2 else code
            (x1, y1), (x2, y2) = points[i], points[i + 1]
            self.in_water(x1, y1)
            self.in_water(x2, y2)
            self.add(kind, 0, round(x1), round(y1), round(x2), round(y2), tag=tag)

    def swim(self, *points):
        """A swim ends where the swimmer will be in the next sequence."""
        self.line("loop", points, gap_end=0)

    def pass_(self, start, target):
        self.line("pass", [start, target], gap_start=4)

    def dribble(self, *points):
        self.line("dribbel", points, gap_start=4)

    def shot(self, start, target):
        self.line("shot", [start, target], gap_start=4, gap_end=0)


def ball_beside(holder, left=False):
    """Where a player holds the ball: up and to his right (or left)."""
    x, y = holder
    return (x - 13 if left else x + 13, y - 10)


def shorten(point, towards, gap):
    dx, dy = towards[0] - point[0], towards[1] - point[1]
    length = math.hypot(dx, dy)
    if length <= gap * 2 or gap == 0:
        return point
    return [point[0] + dx * gap / length, point[1] + dy * gap / length]


class Play:
    def __init__(self, kind, category, name, quality, agegroup, subcat1):
        self.kind, self.category, self.name = kind, category, name
        self.quality, self.agegroup, self.subcat1 = quality, agegroup, subcat1
        self.sequences = []
        self.tags = {}

    def tag(self, key):
        """The same symbol keeps its tag in every sequence; each line gets a
        tag of its own."""
        if key is not None and key in self.tags:
            return self.tags[key]
        number = len(self.tags) + 1
        self.tags[key if key is not None else ("line", number)] = number
        return number

    def sequence(self, court, text):
        sketch = Sketch(self, court)
        self.sequences.append((sketch, text))
        return sketch

    def players(self):
        return sum(1 for key in self.tags if isinstance(key, tuple) and key[0] in ("Circle", "Triangle"))

    def record(self):
        lines = ["Intro    = ", "", "Type     = " + self.kind, "Category = " + self.category,
                 "Playname = " + self.name, "Nr_seq   = %d" % len(self.sequences),
                 "Quality  = %d" % self.quality, "Nrplayers= %d" % self.players(), "Nrballs  = 1",
                 "Agegroup = %d" % self.agegroup, "Hide     = 0", "Subcat1  = " + self.subcat1,
                 "Subcat2  = ", "Subcat3  = ", "Createdby= Quorvane", "Credate  = ", "Moddate  = ",
                 "Drilltime= ", "Extra1   = "]
        for sketch, text in self.sequences:
            lines += ["Animation= No", "Text     = "]
            lines += text.split("\r\n")[:-1]
            lines += ["Focus    = ", "Nr_parts = %d" % len(sketch.parts), "Extra2   = "]
            for part in sketch.parts:
                lines += ["Graphicnr= %d" % part["Graphicnr"], "type     = " + part["type"],
                          "x1       = %d" % part["x1"], "y1       = %d" % part["y1"],
                          "x2       = %d" % part["x2"], "y2       = %d" % part["y2"],
                          "thickness = %d" % part["thickness"], "rotation  = 0",
                          "arrow    = 0", "color    = 0", "color2   = -1", "playtext = ",
                          "fontname = ", "tagnr    = %d" % part["tagnr"], "level    = %d" % part["level"],
                          "transpar = 0", "extra3   = ", "extra4   = "]
        return lines


# --- the plays ------------------------------------------------------------------

# Half pool: goal line y 78, 2 m y 102, 5 m y 138, goal posts x 125 and 162.
GOALIE_TOP = (143, 89)


def power_play():
    play = Play("Play", "Attack", "Power play 6 on 5", 4, 14, "Extra man")
    # 4-2: two posts on the 2 m line, four on the 5-6 m line.
    attack = {2: (180, 108), 3: (107, 108), 4: (238, 150), 5: (182, 172), 6: (105, 172), 7: (47, 156)}
    zone = {2: (160, 122), 3: (127, 122), 4: (206, 140), 5: (143, 150), 6: (86, 138), 1: GOALIE_TOP}

    s = play.sequence(HALF_POOL, rich_text(
        ["*Set-up: the 4-2.* Two players on the posts at 2 metres, four on the 5 metre line. "
         "The defence has one player less and plays a zone."],
        ["*2* and *3*: right and left post, hands up for the ball", "*4* and *7*: right and left flat",
         "*5* and *6*: the two points, who move the ball"],
        ["Start with the ball at *5*."]))
    s.attackers(attack)
    s.defenders(zone)
    s.ball_at(attack[5])

    s = play.sequence(HALF_POOL, rich_text(
        ["*5* passes across to *6*. The pass is quick and dry, to the hand away from the defender.",
         "Defender 5 has to move over to *6*; the zone shifts left."]))
    s.attackers(attack)
    s.defenders(zone)
    s.ball_at(attack[5])
    s.pass_(ball_beside(attack[5]), attack[6])
    shifted = {**zone, 5: (118, 150)}
    s.swim(zone[5], shifted[5])

    s = play.sequence(HALF_POOL, rich_text(
        ["*6* moves the ball on to the left flat *7* before the zone is set.",
         "Defender 6 comes out to *7*, but he is one stroke late."]))
    s.attackers(attack)
    s.defenders(shifted)
    s.ball_at(attack[6], left=True)
    s.pass_(ball_beside(attack[6], left=True), attack[7])
    s.swim(zone[6], (68, 142))

    s = play.sequence(HALF_POOL, rich_text(
        ["*7* shoots at once, *to the near post*, before the goalkeeper has moved over.",
         "If the shot is blocked, *2* and *3* go for the rebound."]))
    s.attackers(attack)
    s.defenders({**shifted, 6: (68, 142)})
    s.ball_at(attack[7], left=True)
    s.shot(ball_beside(attack[7], left=True), (129, 80))
    return play


def counter_attack():
    play = Play("Play", "Attack", "Counter attack", 3, 12, "Counter")
    # Whole pool, attacking the goal at the top: goal line y 26, 5 m y 77,
    # half-way y 180, our own goal at the bottom.
    keeper = (143, 322)
    their_keeper = (136, 38)
    start = {2: (80, 250), 3: (120, 235), 4: (170, 240), 5: (210, 260), 6: (143, 285), 1: keeper}
    chasers = {2: (95, 268), 3: (137, 258), 4: (188, 264), 5: (195, 290), 1: their_keeper}

    s = play.sequence(WHOLE_POOL, rich_text(
        ["Our goalkeeper *1* has the ball after a save. Everybody turns and *sprints*: "
         "the first metres decide the counter.",
         "*2* and *5* take the wide lanes, *3* and *4* the middle, *6* follows as the safety."]))
    s.attackers(start)
    s.defenders(chasers)
    s.ball_at(keeper)
    ahead = {2: (70, 130), 3: (118, 140), 4: (184, 118), 5: (222, 140), 6: (95, 210), 1: keeper}
    for number in (2, 3, 4, 5, 6):
        s.swim(start[number], ahead[number])

    s = play.sequence(WHOLE_POOL, rich_text(
        ["*1* throws the long pass to *3*, who is free in the middle lane. "
         "The pass goes in front of him, so he can take it swimming."],
        ["look before the throw: is the lane free?", "a flat, long pass into the water"]))
    behind = {2: (88, 165), 3: (140, 152), 4: (192, 165), 5: (214, 190), 1: their_keeper}
    s.attackers(ahead)
    s.defenders(behind)
    s.ball_at(keeper)
    s.pass_(ball_beside(keeper), ahead[3])

    s = play.sequence(WHOLE_POOL, rich_text(
        ["*3* dribbles towards the goal with his head up. The others keep their lanes "
         "and stay wide, so the defence cannot double him."]))
    s.attackers(ahead)
    s.defenders(behind)
    s.ball_at(ahead[3])
    shooter = (133, 92)
    s.dribble(ball_beside(ahead[3]), ball_beside(shooter))
    s.swim(behind[3], (156, 122))

    s = play.sequence(WHOLE_POOL, rich_text(
        ["At 5 metres *3* shoots *before the defender is back*. A quick shot from the dribble "
         "beats the goalkeeper who is still setting himself."]))
    s.attackers({**ahead, 3: shooter})
    s.defenders({**behind, 3: (156, 122)})
    s.ball_at(shooter)
    s.shot(ball_beside(shooter), (160, 27))
    return play


def press_defence():
    play = Play("Play", "Defence", "Press defence", 4, 14, "Man to man")
    attack = {2: (224, 108), 3: (232, 160), 4: (143, 190), 5: (54, 160), 6: (58, 104), 7: (143, 112)}
    # Each defender sits between his man and the ball, one arm's length away;
    # 7 fronts the centre forward.
    press = {2: (212, 124), 3: (216, 168), 4: (143, 168), 5: (70, 168), 6: (70, 118), 7: (143, 134),
             1: GOALIE_TOP}

    s = play.sequence(HALF_POOL, rich_text(
        ["*Press:* every defender takes one attacker and stays *between him and the ball*, "
         "close enough to touch.",
         "The centre defender *7* fronts the centre forward, so the ball cannot reach him."],
        ["eyes on your man *and* the ball", "no free passes into the 2 metre area"]))
    s.attackers(attack)
    s.defenders(press)
    s.ball_at(attack[4], left=True)

    s = play.sequence(HALF_POOL, rich_text(
        ["Attacker *5* drives to the goal. Defender 5 swims with him on the *inside*, "
         "on the ball side, and does not let him get in front."]))
    s.attackers(attack)
    s.defenders(press)
    s.ball_at(attack[4], left=True)
    driven = (110, 104)
    s.swim(attack[5], driven)
    s.swim(press[5], (120, 120))

    s = play.sequence(HALF_POOL, rich_text(
        ["*4* tries the pass to the driver. Defender 5 is in the lane and *steals the ball*.",
         "Now the whole team turns for the counter attack."]))
    s.attackers({**attack, 5: driven})
    s.defenders({**press, 5: (120, 120)})
    s.ball_at(attack[4], left=True)
    s.pass_(ball_beside(attack[4], left=True), (120, 120))
    return play


def passing_triangle():
    play = Play("Drill", "Drills", "Passing triangle", 3, 10, "Passing")
    top, right, left = (143, 158), (222, 252), (64, 252)
    waiting = (143, 128)

    s = play.sequence(HALF_POOL, rich_text(
        ["Four players, one ball: a triangle *5 to 6 metres* wide, two players at the top. "
         "*2* passes to *3* and follows his pass to the right corner."],
        ["pass with one hand, dry", "the receiver calls and shows a high hand",
         "*follow your pass*, swim behind the receiver"]))
    s.attackers({2: top, 5: waiting, 3: right, 4: left})
    s.ball_at(top)
    s.pass_(ball_beside(top), right)
    behind_right = (232, 280)
    s.swim(top, (150, 200), behind_right)

    s = play.sequence(HALF_POOL, rich_text(
        ["*3* passes on to *4* and follows his pass in the same way, behind the left corner."]))
    s.attackers({2: behind_right, 5: waiting, 3: right, 4: left})
    s.ball_at(right, left=True)
    s.pass_(ball_beside(right, left=True), left)
    behind_left = (52, 282)
    s.swim(right, (196, 282), behind_left)

    s = play.sequence(HALF_POOL, rich_text(
        ["*4* passes to *5* at the top and swims there. Keep the ball moving: "
         "*20 passes* without a drop, then change direction."]))
    s.attackers({2: behind_right, 5: waiting, 3: behind_left, 4: left})
    s.ball_at(left)
    s.pass_(ball_beside(left), waiting)
    s.swim(left, (66, 196), (112, 122))
    return play


PLAYS = [counter_attack, power_play, press_defence, passing_triangle]


def write_lines(path, lines):
    with open(path, "wb") as out:
        for line in lines:
            out.write(line.encode("cp1252") + b"\r\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--qvb", help="also write each play as an exchange file into this folder")
    arguments = parser.parse_args()
    version = "Version  = Quorvane 0.7"
    plays = [make() for make in PLAYS]
    lines = [version, "Backup   = %d" % len(plays)]
    for play in plays:
        lines += play.record()
    write_lines(os.path.join(os.path.dirname(os.path.abspath(__file__)), "initwplays.bak"), lines)
    if arguments.qvb:
        os.makedirs(arguments.qvb, exist_ok=True)
        for index, play in enumerate(plays, 1):
            write_lines(os.path.join(arguments.qvb, "%d.qvb" % index), [version] + play.record())


if __name__ == "__main__":
    main()
