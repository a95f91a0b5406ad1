uniform vec4 g_mColor; // line colour, RGBA in 0..1

out vec4 fragColor;

void main() {
    fragColor = g_mColor;
}
