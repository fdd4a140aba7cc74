"""Drawing bundled pictures from simple shapes.

A picture is 38 x 38 squares (column 0..37 here is board column 1..38, row
0..37 is board row 1..38). Shapes are laid down back to front: a shape
clears the outline squares strictly inside itself, then draws its own edge,
so a shape in front hides what it covers. Edges are the squares of the
shape that touch a square outside it along a side, which leaves no gap
the fill could pass through.
"""
import math

SIZE = 38


class Picture:
    def __init__(self, name, title, palette):
        assert len(palette) == 8, name
        self.name = name
        self.title = title
        self.palette = palette
        self.grid = [[False] * SIZE for _ in range(SIZE)]

    # --- single squares and lines -----------------------------------------
    def dot(self, x, y):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.grid[y][x] = True

    def clear(self, x, y):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.grid[y][x] = False

    def line(self, x0, y0, x1, y1):
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 >= x0 else -1), (1 if y1 >= y0 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def lines(self, points, closed=False):
        for a, b in zip(points, points[1:]):
            self.line(*a, *b)
        if closed:
            self.line(*points[-1], *points[0])

    def arc(self, cx, cy, rx, ry, a0, a1, steps=None):
        """An open curve along an ellipse, angles in degrees, 0 = right, 90 = down."""
        steps = steps or max(8, int(abs(a1 - a0) / 6))
        pts = []
        for k in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * k / steps)
            pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
        self.lines(pts)

    # --- shapes ------------------------------------------------------------
    def shape(self, inside, solid=False):
        mask = [[inside(x, y) for x in range(SIZE)] for y in range(SIZE)]
        for y in range(SIZE):
            for x in range(SIZE):
                if not mask[y][x]:
                    continue
                edge = solid or any(
                    not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE) or not mask[y + dy][x + dx]
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.grid[y][x] = edge
        return mask

    def ellipse(self, cx, cy, rx, ry, solid=False):
        return self.shape(in_ellipse(cx, cy, rx, ry), solid)

    def circle(self, cx, cy, r, solid=False):
        return self.ellipse(cx, cy, r, r, solid)

    def rect(self, x0, y0, x1, y1, solid=False):
        return self.shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, solid)

    def poly(self, points, solid=False):
        return self.shape(lambda x, y: inside_polygon(points, x, y), solid)

    def half_ellipse(self, cx, cy, rx, ry, top=True, solid=False):
        inside = in_ellipse(cx, cy, rx, ry)
        return self.shape(lambda x, y: inside(x, y) and (y <= cy if top else y >= cy), solid)

    def star(self, cx, cy, r_out, r_in, points=5, turn=-90, solid=False):
        pts = []
        for k in range(points * 2):
            r = r_out if k % 2 == 0 else r_in
            a = math.radians(turn + k * 180 / points)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return self.poly(pts, solid)

    def tiles(self, mask, centres):
        """Splits the squares of mask into tiles, each square going to its
        nearest centre, with a line of single squares between the tiles: of
        two squares side by side in different tiles, the one in the later
        tile becomes outline, so no two tiles touch along a side."""
        owner = [[None] * SIZE for _ in range(SIZE)]
        for y in range(SIZE):
            for x in range(SIZE):
                if mask[y][x]:
                    owner[y][x] = min(range(len(centres)),
                                      key=lambda k: (centres[k][0] - x) ** 2 + (centres[k][1] - y) ** 2)
        for y in range(SIZE):
            for x in range(SIZE):
                if owner[y][x] is None:
                    continue
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    if (0 <= x + dx < SIZE and 0 <= y + dy < SIZE and owner[y + dy][x + dx] is not None
                            and owner[y + dy][x + dx] < owner[y][x]):
                        self.grid[y][x] = True

    def within(self, mask, draw):
        """Runs draw, keeping only what it changes inside mask (a shape's result)."""
        before = [row[:] for row in self.grid]
        draw()
        for y in range(SIZE):
            for x in range(SIZE):
                if not mask[y][x]:
                    self.grid[y][x] = before[y][x]

    def mirror(self):
        """Makes the picture symmetric: the left half copied onto the right."""
        for y in range(SIZE):
            for x in range(SIZE // 2):
                self.grid[y][SIZE - 1 - x] = self.grid[y][x]

    # --- what the fill will make of it --------------------------------------
    def regions(self):
        seen = [[False] * SIZE for _ in range(SIZE)]
        sizes = []
        for y in range(SIZE):
            for x in range(SIZE):
                if self.grid[y][x] or seen[y][x]:
                    continue
                stack, n = [(x, y)], 0
                seen[y][x] = True
                while stack:
                    a, b = stack.pop()
                    n += 1
                    for da, db in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                        c, d = a + da, b + db
                        if 0 <= c < SIZE and 0 <= d < SIZE and not self.grid[d][c] and not seen[d][c]:
                            seen[d][c] = True
                            stack.append((c, d))
                sizes.append((n, x + 1, y + 1))
        return sizes

    def text(self):
        out = [f"{r},{g},{b}" for r, g, b in self.palette]
        out.append(self.title)
        rows = ["".join("x" if c else " " for c in row).rstrip() for row in self.grid]
        while rows and not rows[-1]:
            rows.pop()
        return "\n".join(out + rows) + "\n"


def inside_polygon(points, x, y):
    inside = False
    n = len(points)
    for k in range(n):
        (x0, y0), (x1, y1) = points[k], points[(k + 1) % n]
        if (y0 > y) != (y1 > y):
            if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
    return inside


def in_ellipse(cx, cy, rx, ry):
    """A point test for an ellipse, a little fuller than its radii so that its
    ends are a few squares wide rather than one square sticking out."""
    rx, ry = rx + 0.35, ry + 0.35
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
