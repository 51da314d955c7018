// The character's sheet: 31 columns by 3 rows of 205 x 120 frames.
//
// The figure is a round little creature drawn inside the collision capsule
// that the game builds from the frame's size: centred in the frame, 68 px
// wide (the middle third), from 15 px below the frame's top down to its
// rounded bottom 45 px below the centre. What the player sees is what
// collides.
//
// Columns: 0-9 the cycle that plays on the ground, 10-13 a turn (from
// facing right to facing left, so that the mirrored cycle follows), 14-18 the
// wind-up of a jump, 19-26 the air (19 rising, 22 at the top, 25 falling,
// the others in between), 27-30 the wind-up while turning. Rows: standing,
// walking, running.
#include <cmath>
#include <cstdio>

#include "ferramentas/midia.h"

namespace {

const double CX = MIDIA_QUADRO_LARGURA / 2.0;  // centre of the frame
const double PES = 103.0;                       // lowest point of the feet

struct Pose {
    double agacha = 0;   // crouch, 0 to 1
    double estica = 0;   // stretch, -1 (squashed) to 1 (tall)
    double inclina = 0;  // lean forward, degrees
    double vira = 0;     // facing: 0 right, 0.5 front, 1 left
    double pe[2] = {0, 0};     // horizontal offset of each foot
    double ergue[2] = {0, 0};  // lift of each foot
    double braco[2] = {20, 20};  // arm angles from hanging down, degrees
    double sobe = 0;     // body lift above the feet
    double pisca = 0;    // eyes closed, 0 to 1
    int boca = 0;        // 0 smile, 1 open (surprise), 2 determined
};

void elipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

const uint32_t CONTORNO = 0x4a2414;
const uint32_t CORPO = 0xff9447;
const uint32_t CORPO_CLARO = 0xffb977;
const uint32_t BARRIGA = 0xffe3b5;
const uint32_t PE = 0x6b3518;

void preencherContornar(cairo_t* cr, uint32_t cor, double largura)
{
    midia_cor(cr, cor);
    cairo_fill_preserve(cr);
    midia_cor(cr, CONTORNO);
    cairo_set_line_width(cr, largura);
    cairo_stroke(cr);
}

// Draws one pose in frame coordinates (the frame's top left at the origin).
void desenharPose(cairo_t* cr, const Pose& p)
{
    double rx = 28.5 * (1 - 0.07 * p.estica) * (1 + 0.08 * p.agacha);
    double ry = 36.5 * (1 + 0.09 * p.estica) * (1 - 0.16 * p.agacha);
    double base = 99.5 - p.sobe;  // bottom of the body
    double cy = base - ry;
    // Where the face looks: +1 right, -1 left.
    double lado = 1 - 2 * p.vira;
    double perfil = fabs(lado);  // 1 in profile, 0 from the front

    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Lean about the feet.
    cairo_translate(cr, CX, PES);
    cairo_rotate(cr, p.inclina * lado * M_PI / 180.0);
    cairo_translate(cr, -CX, -PES);

    // Arms behind the body: only their ends peek out.
    for (int i = 0; i < 2; i++) {
        double s = i == 0 ? -1 : 1;
        double ombroX = CX + s * (rx - 9), ombroY = cy + 4;
        double a = p.braco[i] * M_PI / 180.0;
        cairo_save(cr);
        cairo_translate(cr, ombroX, ombroY);
        cairo_rotate(cr, -s * a);
        elipse(cr, 0, 11, 5.2, 11);
        cairo_restore(cr);
        preencherContornar(cr, CORPO, 2.2);
    }
    // Body, its lit side and belly.
    elipse(cr, CX, cy, rx, ry);
    preencherContornar(cr, CORPO, 2.6);
    cairo_save(cr);
    elipse(cr, CX, cy, rx - 1.3, ry - 1.3);
    cairo_clip(cr);
    midia_cor(cr, CORPO_CLARO, 0.9);
    elipse(cr, CX - rx * 0.35, cy - ry * 0.45, rx * 0.45, ry * 0.32);
    cairo_fill(cr);
    midia_cor(cr, BARRIGA);
    elipse(cr, CX + 7 * lado * perfil, cy + ry * 0.45, rx * (0.62 - 0.12 * perfil), ry * 0.45);
    cairo_fill(cr);
    cairo_restore(cr);

    // Feet in front of the body, the far one first.
    for (int i = 0; i < 2; i++) {
        double x = CX + (i == 0 ? -6.0 : 6.0) * (1 - 0.5 * perfil) + p.pe[i] * lado + 2.5 * lado * perfil;
        double y = PES - 4.3 - p.ergue[i];
        elipse(cr, x, y, 6.2, 4.3);
        preencherContornar(cr, PE, 2.2);
    }
    // Sprout on the head, bending away from the facing.
    double topo = cy - ry;
    double hx = CX - 2 * lado;
    cairo_move_to(cr, hx, topo + 1);
    cairo_curve_to(cr, hx, topo - 4, hx - 3 * lado, topo - 6, hx - 2 * lado, topo - 8);
    midia_cor(cr, 0x2f6b1f);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    for (int i = 0; i < 2; i++) {
        double s = i == 0 ? -1 : 1;
        cairo_save(cr);
        cairo_translate(cr, hx - 2 * lado, topo - 8);
        cairo_rotate(cr, s * 0.9);
        elipse(cr, 0, -3.6, 2.6, 4.2);
        cairo_restore(cr);
        midia_cor(cr, 0x6cc23a);
        cairo_fill_preserve(cr);
        midia_cor(cr, 0x2f6b1f);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }

    // Face: cheeks, eyes and mouth, moving with the facing.
    double fx = CX + 11 * lado;
    double fy = cy - 4;
    double vao = 9.5 * (1 - 0.45 * perfil);
    for (int i = 0; i < 2; i++) {
        double s = i == 0 ? -1 : 1;
        // The eye on the far side shrinks as the face turns.
        bool longe = s * lado < 0;
        double k = longe ? 1 - 0.3 * perfil : 1.0;
        midia_cor(cr, 0xff6f7d, 0.45 * k);
        elipse(cr, fx + s * (vao + 6), fy + 11, 4.5 * k, 2.8);
        cairo_fill(cr);
        double ex = fx + s * vao, ey = fy;
        if (p.pisca > 0.5) {
            cairo_move_to(cr, ex - 4 * k, ey + 1);
            cairo_curve_to(cr, ex - 2 * k, ey + 3.5, ex + 2 * k, ey + 3.5, ex + 4 * k, ey + 1);
            midia_cor(cr, CONTORNO);
            cairo_set_line_width(cr, 2.0);
            cairo_stroke(cr);
            continue;
        }
        elipse(cr, ex, ey, 5.6 * k, 7.4);
        midia_cor(cr, 0xffffff);
        cairo_fill_preserve(cr);
        midia_cor(cr, CONTORNO);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        double olhar = p.boca == 1 ? -1.5 : 0.5;
        elipse(cr, ex + 1.8 * lado * k, ey + olhar, 3.3 * k, 4.6);
        midia_cor(cr, 0x22140e);
        cairo_fill(cr);
        elipse(cr, ex + 1.8 * lado * k - 1.1, ey + olhar - 1.8, 1.2 * k, 1.5);
        midia_cor(cr, 0xffffff);
        cairo_fill(cr);
    }
    double my = fy + 12;
    midia_cor(cr, CONTORNO);
    cairo_set_line_width(cr, 2.0);
    if (p.boca == 1) {
        elipse(cr, fx, my + 1, 3.0, 3.6);
        midia_cor(cr, 0x8a2a22);
        cairo_fill_preserve(cr);
        midia_cor(cr, CONTORNO);
        cairo_stroke(cr);
    } else if (p.boca == 2) {
        cairo_move_to(cr, fx - 4, my);
        cairo_curve_to(cr, fx - 2, my + 3.5, fx + 2, my + 3.5, fx + 4, my);
        cairo_close_path(cr);
        midia_cor(cr, 0x8a2a22);
        cairo_fill_preserve(cr);
        midia_cor(cr, CONTORNO);
        cairo_stroke(cr);
    } else {
        cairo_move_to(cr, fx - 4.5, my);
        cairo_curve_to(cr, fx - 2, my + 4, fx + 2, my + 4, fx + 4.5, my);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// Walking and running: feet alternate, the body bobs, arms swing.
Pose cicloChao(int linha, int coluna)
{
    Pose p;
    double fase = 2 * M_PI * coluna / 10.0;
    if (linha == 0) {
        // Standing: breathing, a blink now and then.
        p.estica = 0.35 * sin(fase);
        p.braco[0] = p.braco[1] = 18 + 6 * sin(fase);
        p.pisca = coluna == 6 ? 1 : 0;
        return p;
    }
    double passo = linha == 1 ? 3.5 : 4.5;
    double altura = linha == 1 ? 3.0 : 4.5;
    double balanco = linha == 1 ? 30 : 55;
    for (int i = 0; i < 2; i++) {
        double f = fase + i * M_PI;
        p.pe[i] = passo * sin(f);
        p.ergue[i] = altura * std::max(0.0, cos(f));
        p.braco[i] = 25 + balanco * 0.5 * (1 + sin(f + M_PI));
    }
    p.sobe = (linha == 1 ? 1.5 : 3.0) * fabs(cos(fase));
    p.estica = (linha == 1 ? 0.3 : 0.5) * cos(2 * fase);
    p.inclina = linha == 1 ? 2.5 : 5.0;
    p.boca = linha == 2 ? 2 : 0;
    return p;
}

Pose agachar(double quanto, double vira, int linha)
{
    Pose p;
    p.agacha = quanto;
    p.estica = -quanto;
    p.vira = vira;
    p.braco[0] = p.braco[1] = 20 + 40 * quanto;
    p.inclina = linha * 1.5;
    p.boca = quanto > 0.6 ? 2 : 0;
    return p;
}

// In the air: k from 0 (rising) through 0.5 (top) to 1 (falling).
Pose noAr(double k, int linha)
{
    Pose p;
    p.estica = 1 - 2 * k;
    if (p.estica < -0.4) p.estica = -0.4;
    p.sobe = 3 + 2 * (1 - k);
    p.ergue[0] = p.ergue[1] = 1.5 - 2.5 * k;
    p.pe[0] = -1.5;
    p.pe[1] = 1.5;
    p.braco[0] = p.braco[1] = k < 0.5 ? 120 - 60 * k : 90 + 70 * (k - 0.5);
    p.inclina = linha * 1.5;
    p.boca = k > 0.7 ? 1 : 0;
    return p;
}

Pose pose(int linha, int coluna)
{
    if (coluna <= 9) return cicloChao(linha, coluna);
    if (coluna <= 13) {
        // Turning: from facing right toward facing left.
        Pose p = cicloChao(0, 0);
        static const double vira[] = {0.12, 0.4, 0.7, 1.0};
        p.vira = vira[coluna - 10];
        p.inclina = 0;
        return p;
    }
    if (coluna <= 18) return agachar((coluna - 14) / 4.0 + 0.05, 0, linha);
    if (coluna <= 26) {
        double k = (coluna - 19) / 6.0;
        if (k > 1) k = 1;
        return noAr(k, linha);
    }
    // Wind-up while turning: crouching deeper as the face turns.
    static const double vira[] = {0.12, 0.4, 0.7, 1.0};
    return agachar((coluna - 26) / 4.0, vira[coluna - 27], linha);
}

}  // namespace

bool midia_gerarPersonagem(const std::string& pasta)
{
    cairo_surface_t* s = midia_novaSuperficie(MIDIA_QUADRO_LARGURA * MIDIA_COLUNAS, MIDIA_QUADRO_ALTURA * MIDIA_LINHAS);
    cairo_t* cr = cairo_create(s);
    for (int linha = 0; linha < MIDIA_LINHAS; linha++)
        for (int coluna = 0; coluna < MIDIA_COLUNAS; coluna++) {
            cairo_save(cr);
            cairo_rectangle(cr, coluna * MIDIA_QUADRO_LARGURA, linha * MIDIA_QUADRO_ALTURA, MIDIA_QUADRO_LARGURA,
                            MIDIA_QUADRO_ALTURA);
            cairo_clip(cr);
            cairo_translate(cr, coluna * MIDIA_QUADRO_LARGURA, linha * MIDIA_QUADRO_ALTURA);
            desenharPose(cr, pose(linha, coluna));
            cairo_restore(cr);
        }
    cairo_destroy(cr);
    bool ok = midia_salvarPng(s, pasta + "/personagem.png");
    cairo_surface_destroy(s);
    return ok;
}

// The standing character, for the title picture.
void midia_desenharPersonagemParado(cairo_t* cr)
{
    desenharPose(cr, cicloChao(0, 2));
}
