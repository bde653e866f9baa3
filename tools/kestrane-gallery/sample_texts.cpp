#include "tools/kestrane-gallery/sample_texts.h"

namespace kes::gallery {

std::string TaxNotes() {
    struct Bracket {
        const char* lower;
        const char* upper;
        const char* rate;
        const char* quick;
    };
    static const Bracket brackets[] = {
        {"", "500", "5", "0"},          {"500", "2000", "10", "25"},       {"2000", "5000", "15", "125"},
        {"5000", "20000", "20", "375"}, {"20000", "40000", "25", "1375"},  {"40000", "60000", "30", "3375"},
        {"60000", "80000", "35", "6375"}, {"80000", "100000", "40", "10375"}, {"100000", "", "45", "15375"},
    };
    std::string out;
    const int n = int(sizeof brackets / sizeof brackets[0]);
    for (int i = 0; i < n; ++i) {
        const Bracket& b = brackets[i];
        std::string line = std::to_string(i + 1) + ". ";
        if (i == 0)
            line += std::string("低于") + b.upper + "元,税率" + b.rate + "%,速算扣除数为" + b.quick;
        else if (i == n - 1)
            line += std::string("超过") + b.lower + "元的部分,税率" + b.rate + "%,速算扣除数为" + b.quick;
        else
            line += std::string("超过") + b.lower + "元至" + b.upper + "元的部分,税率" + b.rate + "%,速算扣除数为" +
                    b.quick;
        out += line + "\r\n";
        if (i == 1 || i == 3 || i == 5 || i == 7) out += "\r\n";
    }
    return out;
}

std::string InsuranceNotes() {
    static const char* lines[] = {
        "1. 基本养老保险28%(其中个人8%)",
        "2. 医疗保险11.2%(其中个人2%)",
        "3. 失业保险3%(其中个人1%，外省农合工个人不缴纳)",
        "4. 工伤按企业类别分为0.3%、0.6%、1.2%",
        "5. 生育0.9%",
        "6. 公积金16%(其中个人8%)",
    };
    std::string out;
    for (int i = 0; i < 6; ++i) {
        out += std::string(lines[i]) + "\r\n";
        if (i < 5) out += "\r\n";
    }
    return out;
}

std::vector<std::string> Captions() {
    return {" 工资计算 ", " 国家政策 ", " 个人所得税说明 ", " 社会保险缴费比例 ", "计  算", "复  位", "退  出",
            "保  存",     "取  消",     "初始值",           "帮助",               "关于",   "个人相关资料 ",
            "加班情况汇总 ", "个人扣缴部分", "公司扣缴部分", "工资最后结算", "最后到手工资", "国家相关政策",
            "相关缴纳系数", "是否保存本次记录", "按老工资计算加班", "设定工资", "年度奖金", "元/时"};
}

std::vector<std::string> Messages() {
    return {"提示 · 错误提示 · 限制提示 · 关于软件",
            "软件已在运行...",
            "当前输入的工资为0,不要再点击了!",
            "高工资人群,软件不欢迎您使用,请退出...",
            "您当前输入的 [设定工资] 低于本地最低工资标准,请核实...",
            "您当前输入的 [老工资] 低于本地最低工资标准,请核实..."};
}

}  // namespace kes::gallery
